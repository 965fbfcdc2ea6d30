#include "Physics/BodyResolution.h"

#include "ECS/Components/RigidBody2D.h"
#include "Physics/Collider2D.h"
#include "Physics/Manifold.h"

#include <glm/geometric.hpp>

#include <algorithm>
#include <cfloat>
#include <cmath>

namespace Qel {

namespace {
/// Decides only whether a contact is resting; nothing falls under it.
constexpr glm::vec2 kRestingGravity{0.0f, -9.82f};
constexpr float kCorrectionShare = 0.4f;
constexpr float kPenetrationSlop = 0.005f; ///< world units
constexpr float kVelocityCutOff = 0.001f;  ///< world units per second, per axis
} // namespace

bool isSolidPair(const Manifold& pair) {
    const RigidBody2D& a = *pair.bodyA;
    const RigidBody2D& b = *pair.bodyB;
    if (pair.colliderA->isTrigger || pair.colliderB->isTrigger) return false;
    return !(a.isKinematic && (b.isKinematic || b.isStatic));
}

void applyImpulse(Manifold& pair, float dt) {
    RigidBody2D& a = *pair.bodyA;
    RigidBody2D& b = *pair.bodyB;
    const glm::vec2 relative = b.velocity - a.velocity;
    const glm::vec2 restingStep = kRestingGravity * dt;
    if (glm::dot(relative, relative) < glm::dot(restingStep, restingStep) + FLT_EPSILON) return;
    const float approach = glm::dot(relative, pair.normal);
    if (approach < 0.0f) return;

    float divisor = a.invMass + b.invMass;
    if (a.isKinematic && b.isDynamic) {
        divisor = b.invMass;
    } else if (a.isDynamic && b.isKinematic) {
        divisor = a.invMass;
    }
    // Two bodies that take no impulse (a dynamic body given mass 0, say) would divide by zero.
    if (std::abs(divisor) < FLT_EPSILON) return;
    const float j = -(1.0f + std::min(a.restitution, b.restitution)) * approach / divisor;
    if (!a.isKinematic) a.velocity -= pair.normal * (j * a.invMass);
    if (!b.isKinematic) b.velocity += pair.normal * (j * b.invMass);
}

void integrateBody(RigidBody2D& body, float dt) {
    // Damping can only slow a body down: a drag of 1/dt or more stops it within the step
    // instead of reversing or exploding its velocity.
    const float keep = std::max(1.0f - dt * body.drag, 0.0f);
    body.velocity = (body.velocity + body.force * (body.invMass * dt)) * keep;
    if (std::abs(body.velocity.x) < kVelocityCutOff) body.velocity.x = 0.0f;
    if (std::abs(body.velocity.y) < kVelocityCutOff) body.velocity.y = 0.0f;
    body.angularVelocity *= keep;
    body.rotation += body.angularVelocity * dt;
    body.prevPosition = body.position;
    body.position += body.velocity * dt;
    body.force = {0.0f, 0.0f};
}

void correctPositions(Manifold& pair) {
    RigidBody2D& a = *pair.bodyA;
    RigidBody2D& b = *pair.bodyB;
    const float inverseMassSum = a.invMass + b.invMass;
    const float divisor = inverseMassSum < FLT_EPSILON ? 1.0f : inverseMassSum;
    const glm::vec2 push =
        std::max(pair.penetration - kPenetrationSlop, 0.0f) / divisor * kCorrectionShare * pair.normal;
    // Bodies without inverse mass still share the push equally.
    const glm::vec2 pushA = inverseMassSum < FLT_EPSILON ? push : push * a.invMass;
    const glm::vec2 pushB = inverseMassSum < FLT_EPSILON ? push : push * b.invMass;
    if (b.isStatic) {
        a.position += pushA + pushB;
    } else if (a.isKinematic && b.isDynamic) {
        b.position -= pushA + pushB;
    } else if (a.isDynamic && b.isKinematic) {
        a.position += pushA + pushB;
    } else {
        b.position -= pushB;
        a.position += pushA;
    }
}

} // namespace Qel
