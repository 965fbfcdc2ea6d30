#pragma once

#include <glm/vec2.hpp>

namespace Qel {

/// Component: a body moved by the physics system. Exactly one of the three kinds is set: static
/// bodies never move, kinematic bodies move but are not pushed, dynamic bodies do both.
struct RigidBody2D {
    /// Bodies lighter than this count as massless: kinematic ones get mass 0, dynamic ones mass 1.
    static constexpr float kMinimumMass = 0.0001f;

    float mass = 1.0f;
    /// 1 / mass, 0 for a mass of 0.
    float invMass = 1.0f;
    /// Copy of the Transform position while a physics step runs, world units.
    glm::vec2 position{0.0f, 0.0f};
    glm::vec2 prevPosition{0.0f, 0.0f};
    /// World units per second.
    glm::vec2 velocity{0.0f, 0.0f};
    /// Degrees per second.
    float angularVelocity = 0.0f;
    /// Copy of the Transform rotation, degrees.
    float rotation = 0.0f;
    /// Accumulated until the next integration, then cleared.
    glm::vec2 force{0.0f, 0.0f};
    float restitution = 0.3f;
    /// Linear damping per second.
    float drag = 5.0f;
    float gravityScale = 1.0f;
    bool isStatic = true;
    bool isDynamic = false;
    bool isKinematic = false;
};

} // namespace Qel
