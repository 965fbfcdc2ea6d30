#pragma once

#include "ECS/Components/RigidBody2D.h"

namespace Qel {

// One kind per body, as files and scripts set them. A near-zero mass (its inverse may even be
// infinite) never survives a change of kind.

/// Mass m and its inverse (0 for m = 0), whatever the kind. Refuses, changing nothing, a mass
/// that is negative, not finite, or so small that its inverse is infinite.
bool setBodyMass(RigidBody2D& body, float mass);

/// Static: never moves; mass, inverse mass and velocity 0.
void makeStatic(RigidBody2D& body);
/// Kinematic: moves but is not pushed; a mass below kMinimumMass becomes 0 (inverse 0).
void makeKinematic(RigidBody2D& body);
/// Dynamic: moves and is pushed; a mass below kMinimumMass becomes 1 (inverse 1).
void makeDynamic(RigidBody2D& body);

} // namespace Qel
