#pragma once

#include <glm/vec2.hpp>
#include <glm/vec3.hpp>

#include <cstdint>

namespace Qel {

/// Component: a point of view. The camera system follows the active camera with the lowest
/// priority value.
struct Camera {
    /// RGB, 0..1, before gamma.
    glm::vec3 clearColor{0.2f, 0.3f, 0.3f};
    float cameraZoom = 10.0f;
    int32_t priority = 0;
    /// Share of the remaining distance covered per second.
    float followSpeed = 1.0f;
    /// World units added to the followed position.
    glm::vec2 offset{0.0f, 0.0f};
};

} // namespace Qel
