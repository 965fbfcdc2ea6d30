#include "ECS/Components/ModelMatrix.h"

#include <cmath>

namespace Qel {

glm::mat4 buildModelMatrix(const Transform& transform) {
    const float radians = transform.rotation * kDegreesToRadians;
    const float c = std::cos(radians);
    const float s = std::sin(radians);
    const float sx = transform.scale.x;
    const float sy = transform.scale.y;
    // Written out column by column: cheaper than three matrix products, and exact for 0 degrees.
    return glm::mat4(c * sx, s * sx, 0.0f, 0.0f,   //
                     -s * sy, c * sy, 0.0f, 0.0f,  //
                     0.0f, 0.0f, 1.0f, 0.0f,       //
                     transform.position.x, transform.position.y, transform.position.z, 1.0f);
}

void refreshModelMatrix(Transform& transform) {
    transform.model = buildModelMatrix(transform);
}

} // namespace Qel
