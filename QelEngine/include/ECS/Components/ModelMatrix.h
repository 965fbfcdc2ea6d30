#pragma once

#include "ECS/Components/Transform.h"

#include <glm/mat4x4.hpp>

namespace Qel {

/// Degrees to radians with the engine's fixed value of pi.
constexpr float kDegreesToRadians = 3.1415927f / 180.0f;

/// M = T(position) * R(rotation about z, degrees) * S(scale x, scale y, 1).
glm::mat4 buildModelMatrix(const Transform& transform);

/// Rebuilds transform.model from its position, scale and rotation.
void refreshModelMatrix(Transform& transform);

} // namespace Qel
