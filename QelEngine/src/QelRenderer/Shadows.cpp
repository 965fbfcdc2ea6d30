#include "QelRenderer/Shadows.h"

#include <glm/geometric.hpp>

#include <cmath>

namespace Qel {
namespace {

/// How far the shadow reaches past the caster, as a share of the caster's size along the
/// direction away from the light.
constexpr float kShadowStretch = 1.25f / 6.0f;

} // namespace

std::optional<ShadowQuad> shadowFor(const PackedLight& light, glm::vec2 casterPosition,
                                    glm::vec2 casterScale) {
    if (light.intensity() == 0.0f) return std::nullopt;
    const glm::vec2 away = casterPosition - glm::vec2(light.position);
    const float distance = glm::length(away);
    // Written so that a NaN distance or range also yields no shadow.
    if (!(distance <= light.range()) || distance == 0.0f) return std::nullopt;

    const glm::vec2 direction = away / distance;
    ShadowQuad shadow;
    shadow.size = casterScale + glm::abs(direction) * casterScale * kShadowStretch;
    shadow.position = casterPosition + direction * glm::abs(casterScale) * kShadowStretch;
    shadow.alpha = 1.0f - distance / light.range();
    return shadow;
}

} // namespace Qel
