#pragma once

#include <glm/vec3.hpp>

#include <cstdint>

namespace Qel {

/// Component: a 2D point light placed at the entity's Transform.
struct Light {
    /// Not read from files.
    uint8_t flag = 0;
    /// RGB, 0..1.
    glm::vec3 color{1.0f, 1.0f, 1.0f};
    /// World units.
    float range = 5.0f;
    float intensity = 1.0f;
    float attenuation = -0.05f;
    /// Height above the sprite plane, world units.
    float height = 1.0f;
};

} // namespace Qel
