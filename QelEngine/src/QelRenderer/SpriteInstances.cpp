#include "QelRenderer/SpriteInstances.h"

#include <glm/ext/matrix_transform.hpp>
#include <glm/gtc/matrix_access.hpp>

#include <cmath>

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

bool placeAtDepth(SpriteVertex& vertex, float depth) {
    // A sprite lies in a plane facing the camera, so its whole quad shares its origin's z.
    if (!(std::abs(vertex.modelToNDC[3][2]) <= 1.0f)) return false;
    vertex.modelToNDC = glm::row(vertex.modelToNDC, 2, glm::vec4(0.0f, 0.0f, 0.0f, depth));
    return true;
}

SpriteVertex shadowVertex(const SpriteRenderer& caster, glm::vec2 position, glm::vec2 size, float alpha,
                          const glm::mat4& worldToNDC) {
    SpriteVertex vertex = tintedQuad(caster, {0.0f, 0.0f, 0.0f, alpha});
    const glm::mat4 placed = glm::translate(glm::mat4(1.0f), glm::vec3(position, 0.0f));
    vertex.modelToNDC = worldToNDC * glm::scale(placed, glm::vec3(size, 1.0f));
    return vertex;
}

} // namespace Qel
