#include "QelSceneManager/ModelMatrix.h"

#include <cmath>

namespace Qel {

namespace {

constexpr float kDegreesToRadians = 3.1415927f / 180.0f;

} // namespace

glm::mat4 modelMatrix(const Transform& transform) {
    const float angle = transform.rotation * kDegreesToRadians;
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    const float sx = transform.scale.x;
    const float sy = transform.scale.y;
    // Column-major: the product T * R * S written out.
    glm::mat4 model(1.0f);
    model[0] = {sx * c, sx * s, 0.0f, 0.0f};
    model[1] = {-sy * s, sy * c, 0.0f, 0.0f};
    model[3] = {transform.position, 1.0f};
    return model;
}

} // namespace Qel
