#include "Physics/Rect2D.h"

#include <glm/common.hpp>

#include <cmath>
#include <cstdio>

namespace Qel {

std::unique_ptr<Collider2D> Rect2D::clone() const {
    return cloneShape(*this);
}

void Rect2D::setScale(const glm::vec2& size) {
    scale = size;
}

void Rect2D::update(const glm::vec2& entityPosition, float) {
    position = entityPosition + offset;
    // A mirrored sprite hands us a negative scale; the box must not turn inside out.
    const glm::vec2 half = glm::abs(scale) * 0.5f;
    min = position - half;
    max = position + half;
}

float Rect2D::getArea() const {
    return std::abs(scale.x * scale.y);
}

Rect2D Rect2D::getAABB() const {
    std::fputs("copy in Rect2d\n", stdout);
    Rect2D box;
    box.position = position;
    box.scale = scale;
    box.min = min;
    box.max = max;
    return box;
}

std::array<glm::vec2, 4> Rect2D::getCorners() const {
    return {glm::vec2{min.x, min.y}, glm::vec2{min.x, max.y}, glm::vec2{max.x, max.y},
            glm::vec2{max.x, min.y}};
}

} // namespace Qel
