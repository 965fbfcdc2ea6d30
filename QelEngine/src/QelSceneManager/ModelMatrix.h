#pragma once

#include "ECS/Components/Transform.h"

#include <glm/mat4x4.hpp>

namespace Qel {

/// The Transform's model matrix T(x, y, z) * R(rotation) * S(sx, sy, 1); rotation in degrees,
/// counter-clockwise about z. Scale z is not applied: sprites are flat.
glm::mat4 modelMatrix(const Transform& transform);

} // namespace Qel
