#pragma once

#include "QelRenderer/LightPacking.h"

#include <glm/vec2.hpp>

#include <optional>

namespace Qel {

/// A caster's drop shadow for one light: an unrotated quad in world units, drawn black.
struct ShadowQuad {
    glm::vec2 position{0.0f};
    glm::vec2 size{0.0f};
    /// 1 at the light, 0 at its range.
    float alpha = 0.0f;
};

/// The shadow a caster at casterPosition with casterScale (world units, the Transform's) throws
/// away from light: stretched and pushed along the light-to-caster direction. None when the light
/// has intensity 0, when the caster lies beyond the range, or sits exactly on the light (no
/// direction to throw the shadow in).
std::optional<ShadowQuad> shadowFor(const PackedLight& light, glm::vec2 casterPosition,
                                    glm::vec2 casterScale);

} // namespace Qel
