#pragma once

#include "ECS/Entity.h"

#include <glm/vec2.hpp>
#include <glm/vec4.hpp>

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace Qel {

/// One light as the light map program reads it from the uniform block at binding 0 (std140: three
/// vec4, no padding between them).
struct PackedLight {
    /// x, y: world position; z: height above the sprite plane (world units); w: 0.
    glm::vec4 position{0.0f};
    /// Linear RGB; w: 0.
    glm::vec4 color{0.0f};
    /// x: range (world units), y: intensity, z: attenuation; w: 0.
    glm::vec4 params{0.0f};

    float range() const { return params.x; }
    float intensity() const { return params.y; }
};
static_assert(sizeof(PackedLight) == 48, "PackedLight must match the shader's std140 layout");

/// Lights the renderer sends per frame; the block in the shader has exactly this many entries.
constexpr size_t kMaxPackedLights = 20;
constexpr size_t kLightBufferBytes = kMaxPackedLights * sizeof(PackedLight);
static_assert(kLightBufferBytes == 960);

/// The frame's lights: `lights` is uploaded whole (unused entries stay zero), `count` goes to
/// "uLightCount".
struct LightBuffer {
    std::array<PackedLight, kMaxPackedLights> lights{};
    uint32_t count = 0;
};
static_assert(sizeof(LightBuffer::lights) == kLightBufferBytes);

/// Packs, in list order, the first kMaxPackedLights lights whose range reaches into the view: the
/// rectangle of halfExtents (world units) around cameraPosition. Disabled entities and entries
/// without a Transform or a Light are skipped. Reads the EntityManager and ComponentManager; an
/// empty buffer when either is missing.
LightBuffer packLights(const std::vector<Entity>& lightList, glm::vec2 cameraPosition, glm::vec2 halfExtents);

} // namespace Qel
