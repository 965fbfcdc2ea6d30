#include "QelRenderer/SpriteInstances.h"


#include <glm/ext/matrix_transform.hpp>

namespace Qel {

namespace {

SpriteVertex tintedQuad(const SpriteRenderer& sprite, const glm::vec4& color) {
    SpriteVertex vertex;
    vertex.color = color;
    vertex.uvRect = {sprite.uvOffset, sprite.uvSize};
    return vertex;
}

} // namespace

SpriteVertex spriteVertex(const SpriteRenderer& sprite, const Transform& transform,
                          const glm::mat4& worldToNDC) {
    SpriteVertex vertex = tintedQuad(sprite, sprite.color);
    vertex.modelToNDC = worldToNDC * transform.model;
    return vertex;
}

SpriteVertex shadowVertex(const SpriteRenderer& caster, glm::vec2 position, glm::vec2 size, float alpha,
                          const glm::mat4& worldToNDC) {
    SpriteVertex vertex = tintedQuad(caster, {0.0f, 0.0f, 0.0f, alpha});
    const glm::mat4 placed = glm::translate(glm::mat4(1.0f), glm::vec3(position, 0.0f));
    vertex.modelToNDC = worldToNDC * glm::scale(placed, glm::vec3(size, 1.0f));
    return vertex;
}

} // namespace Qel
