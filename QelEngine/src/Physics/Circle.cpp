#include "Physics/Circle.h"

#include "Physics/Rect2D.h"

#include <cmath>

namespace Qel {

std::unique_ptr<Collider2D> Circle::clone() const {
    return cloneShape(*this);
}

void Circle::setScale(const glm::vec2& size) {
    scale = size;
    radius = size.x;
}

void Circle::update(const glm::vec2& entityPosition, float) {
    position = entityPosition + offset;
}

float Circle::getArea() const {
    return 3.1415927f * radius * radius;
}

Rect2D Circle::getAABB() const {
    Rect2D box;
    box.position = position;
    box.scale = glm::vec2(radius, radius);
    box.min = position - glm::vec2(contactRadius());
    box.max = position + glm::vec2(contactRadius());
    return box;
}

float Circle::contactRadius() const {
    return std::abs(radius) * 0.5f;
}

} // namespace Qel
