#pragma once

#include "Physics/Collider2D.h"

#include <array>

namespace Qel {

/// Oriented box: turns with the entity, and so does its offset.
class OBB : public Collider2D {
  public:
    std::unique_ptr<Collider2D> clone() const override;
    ColliderType getType() const override { return ColliderType::OBB; }
    void setScale(const glm::vec2& size) override;
    void update(const glm::vec2& entityPosition, float rotationDegrees) override;
    float getArea() const override;
    /// The smallest axis-aligned box around the four corners.
    Rect2D getAABB() const override;

    /// With half extents (hx, hy): p - hx*ax - hy*ay, p - hx*ax + hy*ay, p + hx*ax + hy*ay,
    /// p + hx*ax - hy*ay.
    std::array<glm::vec2, 4> getCorners() const;

    glm::vec2 axisX{1.0f, 0.0f}; ///< unit axes of the turned box
    glm::vec2 axisY{0.0f, 1.0f};
    glm::vec2 halfExtents{0.5f, 0.5f};
};

} // namespace Qel
