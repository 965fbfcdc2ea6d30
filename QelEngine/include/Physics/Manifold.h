#pragma once

#include <glm/vec2.hpp>

namespace Qel {

class Collider2D;
struct RigidBody2D;
struct Transform;

/// One colliding pair of a physics step. A is the moving body whose query found the pair. After
/// detection the penetration (world units) is >= 0 and the normal points from B towards A.
/// The pointers are valid for the step that made the manifold only.
struct Manifold {
    RigidBody2D* bodyA = nullptr;
    RigidBody2D* bodyB = nullptr;
    Transform* transformA = nullptr;
    Transform* transformB = nullptr;
    Collider2D* colliderA = nullptr;
    Collider2D* colliderB = nullptr;
    glm::vec2 normal{0.0f, 0.0f};
    float penetration = 0.0f;
    bool colliding = false;
};

} // namespace Qel
