#pragma once

#include <glm/vec2.hpp>

namespace Qel {

struct Manifold;
struct RigidBody2D;

/// Whether the step pushes the pair apart: never with a trigger, never two kinematic bodies,
/// never a kinematic A against a static B.
bool isSolidPair(const Manifold& pair);

/// Bounces the pair apart along its normal unless it rests (relative speed below one step of
/// gravity), separates already, or neither body can take an impulse. Kinematic bodies keep
/// their velocity. dt in seconds.
void applyImpulse(Manifold& pair, float dt);

/// Advances one body by dt seconds: force and drag on the velocity (speeds below the cut-off
/// become 0), then rotation and position. Clears the force.
void integrateBody(RigidBody2D& body, float dt);

/// Moves the pair's bodies apart by a share of the penetration beyond the slop, split by inverse
/// mass; a kinematic or static body is not moved. Body positions only, not the Transforms.
void correctPositions(Manifold& pair);

} // namespace Qel
