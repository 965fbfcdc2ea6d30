#pragma once

#include "ECS/Entity.h"

#include <glm/vec2.hpp>

#include <cstddef>
#include <cstdint>
#include <memory>

namespace Qel {

class Rect2D;

/// Native collision hook: first the collider owner's entity id, then the other entity's id.
using CollisionCallback = void (*)(Entity* self, Entity* other);

/// Shape kinds; the values index the contact table.
enum class ColliderType : std::uint8_t { Circle = 0, Rect2D = 1, OBB = 2 };
inline constexpr std::size_t kColliderTypeCount = 3;

/// A 2D outline in world units, placed every physics step from its entity's position and
/// rotation. Owned by the entity's ColliderPtr.
class Collider2D {
  public:
    virtual ~Collider2D() = default;

    /// A new shape of the same kind with the same geometry and a fresh contact state
    /// (no other entity, not a trigger, not colliding, no callbacks).
    virtual std::unique_ptr<Collider2D> clone() const = 0;
    virtual ColliderType getType() const = 0;
    /// Size in world units (full width and height); a mirrored (negative) size collides like
    /// its absolute value.
    virtual void setScale(const glm::vec2& size) = 0;
    virtual void setOffset(const glm::vec2& newOffset);
    /// Places the shape from the entity's world position and rotation (degrees).
    virtual void update(const glm::vec2& entityPosition, float rotationDegrees) = 0;
    virtual float getArea() const = 0;
    /// World-space bounding box for the broad phase.
    virtual Rect2D getAABB() const = 0;

    glm::vec2 position{0.0f, 0.0f};
    glm::vec2 scale{1.0f, 1.0f};
    glm::vec2 offset{0.0f, 0.0f};
    Entity otherEntity = MAX_ENTITIES;
    bool isTrigger = false;
    bool wasColliding = false;
    CollisionCallback onTriggerEnter = nullptr;
    CollisionCallback onTriggerExit = nullptr;
    CollisionCallback onTriggerStay = nullptr;
    CollisionCallback onCollisionEnter = nullptr;
    CollisionCallback onCollisionExit = nullptr;
    CollisionCallback onCollisionStay = nullptr;

  protected:
    Collider2D() = default;
    Collider2D(const Collider2D&) = default;
    Collider2D& operator=(const Collider2D&) = default;

    /// Forgets everything a shape learned from contacts and hooks; keeps the geometry.
    void clearContactState();

    template <class Shape> static std::unique_ptr<Collider2D> cloneShape(const Shape& shape) {
        auto copy = std::make_unique<Shape>(shape);
        copy->clearContactState();
        return copy;
    }
};

} // namespace Qel
