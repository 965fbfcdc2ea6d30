#pragma once

#include "Physics/Collider2D.h"

#include <array>

namespace Qel {

/// Axis-aligned box. Ignores the entity's rotation; the offset is not rotated either.
class Rect2D : public Collider2D {
  public:
    std::unique_ptr<Collider2D> clone() const override;
    ColliderType getType() const override { return ColliderType::Rect2D; }
    /// Bounds follow at the next update.
    void setScale(const glm::vec2& size) override;
    void update(const glm::vec2& entityPosition, float rotationDegrees) override;
    float getArea() const override;
    /// A copy of the box; also prints a diagnostic line on standard output.
    Rect2D getAABB() const override;

    /// (min.x, min.y), (min.x, max.y), (max.x, max.y), (max.x, min.y).
    std::array<glm::vec2, 4> getCorners() const;

    glm::vec2 min{-0.5f, -0.5f}; ///< world bounds
    glm::vec2 max{0.5f, 0.5f};
};

} // namespace Qel
