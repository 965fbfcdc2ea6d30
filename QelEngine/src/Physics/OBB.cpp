#include "Physics/OBB.h"

#include "Physics/Rect2D.h"

#include <glm/common.hpp>

#include <cmath>
#include <limits>

namespace Qel {

namespace {
constexpr float kDegreesToRadians = 3.1415927f / 180.0f;
}

std::unique_ptr<Collider2D> OBB::clone() const {
    return cloneShape(*this);
}

void OBB::setScale(const glm::vec2& size) {
    scale = size;
    // A mirrored sprite hands us a negative scale; the extents stay positive.
    halfExtents = glm::abs(size) * 0.5f;
}

void OBB::update(const glm::vec2& entityPosition, float rotationDegrees) {
    const float theta = rotationDegrees * kDegreesToRadians;
    const float c = std::cos(theta);
    const float s = std::sin(theta);
    position = {entityPosition.x + offset.x * c - offset.y * s,
                entityPosition.y + offset.x * s + offset.y * c};
    axisX = {c, s};
    axisY = {-s, c};
}

float OBB::getArea() const {
    return std::abs(scale.x * scale.y);
}

Rect2D OBB::getAABB() const {
    glm::vec2 low(std::numeric_limits<float>::infinity());
    glm::vec2 high(-std::numeric_limits<float>::infinity());
    for (const glm::vec2& corner : getCorners()) {
        low = glm::min(low, corner);
        high = glm::max(high, corner);
    }
    Rect2D box;
    box.position = position;
    box.scale = high - low;
    box.min = low;
    box.max = high;
    return box;
}

std::array<glm::vec2, 4> OBB::getCorners() const {
    const glm::vec2 x = halfExtents.x * axisX;
    const glm::vec2 y = halfExtents.y * axisY;
    return {position - x - y, position - x + y, position + x + y, position + x - y};
}

} // namespace Qel
