#pragma once

#include "Physics/Collider2D.h"

namespace Qel {

/// Disc centred on the entity position plus the offset (the offset is not rotated).
/// Like the boxes' scale, `radius` holds the shape's size value (scale.x): the disc's
/// diameter in world units. Contacts and the bounding box use half of it.
class Circle : public Collider2D {
  public:
    std::unique_ptr<Collider2D> clone() const override;
    ColliderType getType() const override { return ColliderType::Circle; }
    void setScale(const glm::vec2& size) override;
    void update(const glm::vec2& entityPosition, float rotationDegrees) override;
    float getArea() const override;
    /// A square of side `radius` around the centre.
    Rect2D getAABB() const override;

    /// Distance from the centre to the outline, world units.
    float contactRadius() const;

    float radius = 1.0f;
};

} // namespace Qel
