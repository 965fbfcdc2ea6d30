#pragma once

#include "ECS/Components/SpriteRenderer.h"
#include "ECS/Components/Transform.h"
#include "QelRenderer/BatchingManager.h"
#include "QelRenderer/Texture.h"
#include "QelRenderer/Vertices.h"

#include <glm/mat4x4.hpp>
#include <glm/vec2.hpp>

namespace Qel {

/// The record of a world sprite without its texture units: colour, texture rectangle, model-to-NDC
/// = worldToNDC (projection * view) * the transform's model matrix, the world matrix rebuilt from
/// the transform's fields, alpha 1. Slots hold "no texture" values until a push fills them.
SpriteVertex spriteVertex(const SpriteRenderer& sprite, const Transform& transform,
                          const glm::mat4& worldToNDC);

/// The record of a drop shadow without its main unit: black at alpha, the caster's texture
/// rectangle, placed at position with size (world units, no rotation), world matrix identity.
SpriteVertex shadowVertex(const SpriteRenderer& caster, glm::vec2 position, glm::vec2 size, float alpha,
                          const glm::mat4& worldToNDC);

/// Whether a sprite hides everything beneath it wherever it draws: an opaque texture at full tint
/// alpha.
inline bool isOpaque(const SpriteRenderer& sprite) {
    return sprite.texture && sprite.texture->opaque && sprite.color.a == 1.0f;
}

/// Puts a sprite's quad at depth (NDC z) in the scene's depth buffer instead of where its
/// transform's z would put it. Returns false, changing nothing, for a sprite beyond the camera's
/// near or far plane, which the clipper drops.
bool placeAtDepth(SpriteVertex& vertex, float depth);

/// Queues a world sprite at depth (see placeAtDepth), with its emission texture when it has one.
/// A sprite without a texture or beyond the near or far plane draws nothing.
template <class Gpu>
void pushSprite(Graphics::BatchManager<SpriteVertex, Gpu>& batch, const SpriteRenderer& sprite,
                const Transform& transform, const glm::mat4& worldToNDC, float depth) {
    if (!sprite.texture) return;
    SpriteVertex vertex = spriteVertex(sprite, transform, worldToNDC);
    if (!placeAtDepth(vertex, depth)) return;
    if (sprite.emission) {
        const Graphics::SlotPair units = batch.slotsFor(sprite.texture->id, sprite.emission->id);
        vertex.slots.x = static_cast<float>(units.first);
        vertex.slots.y = static_cast<float>(units.second);
        vertex.slots.z = sprite.emissionAmount;
    } else {
        vertex.slots.x = static_cast<float>(batch.slotFor(sprite.texture->id));
    }
    batch.push(vertex);
}

/// Queues the sprite's light mask (unlit, at its lightMaskAlpha); nothing without a mask texture.
template <class Gpu>
void pushLightMask(Graphics::BatchManager<SpriteVertex, Gpu>& batch, const SpriteRenderer& sprite,
                   const Transform& transform, const glm::mat4& worldToNDC) {
    if (!sprite.lightMask) return;
    SpriteVertex vertex = spriteVertex(sprite, transform, worldToNDC);
    vertex.slots.x = 0.0f;
    vertex.slots.w = static_cast<float>(batch.slotFor(sprite.lightMask->id));
    vertex.alpha = sprite.lightMaskAlpha;
    batch.push(vertex);
}

/// Queues the shadow a caster throws for one light: its texture's silhouette in black at alpha.
template <class Gpu>
void pushShadow(Graphics::BatchManager<SpriteVertex, Gpu>& batch, const SpriteRenderer& caster,
                glm::vec2 position, glm::vec2 size, float alpha, const glm::mat4& worldToNDC) {
    if (!caster.texture) return;
    SpriteVertex vertex = shadowVertex(caster, position, size, alpha, worldToNDC);
    vertex.slots.x = static_cast<float>(batch.slotFor(caster.texture->id));
    batch.push(vertex);
}

} // namespace Qel
