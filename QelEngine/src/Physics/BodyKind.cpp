#include "Physics/BodyKind.h"

#include <cmath>

namespace Qel {

bool setBodyMass(RigidBody2D& body, float mass) {
    const float inverse = mass == 0.0f ? 0.0f : 1.0f / mass;
    if (!(mass >= 0.0f) || !std::isfinite(mass) || !std::isfinite(inverse)) return false;
    body.mass = mass;
    body.invMass = inverse;
    return true;
}

void makeStatic(RigidBody2D& body) {
    body.isStatic = true;
    body.isDynamic = false;
    body.isKinematic = false;
    body.mass = 0.0f;
    body.invMass = 0.0f;
    body.velocity = {0.0f, 0.0f};
}

void makeKinematic(RigidBody2D& body) {
    body.isStatic = false;
    body.isDynamic = false;
    body.isKinematic = true;
    if (body.mass < RigidBody2D::kMinimumMass) {
        body.mass = 0.0f;
        body.invMass = 0.0f;
    }
}

void makeDynamic(RigidBody2D& body) {
    body.isStatic = false;
    body.isDynamic = true;
    body.isKinematic = false;
    if (body.mass < RigidBody2D::kMinimumMass) {
        body.mass = 1.0f;
        body.invMass = 1.0f;
    }
}

} // namespace Qel
