#include "QelRenderer/UIPass.h"

#include "ECS/ComponentManager.h"
#include "ECS/Components/SpriteRenderer.h"
#include "ECS/Components/Text.h"
#include "ECS/Components/UITransform.h"
#include "ECS/EntityManager.h"
#include "QelRenderer/TextLayout.h"
#include "QelRenderer/Texture.h"
#include "QelRenderer/UILayout.h"

#include <GL/glew.h>

#include <algorithm>

namespace Qel {

void pushUIQuad(Graphics::BatchManager<UIVertex>& batch, uint32_t texture, UIQuadKind kind,
                const glm::vec4& color, const glm::mat4& modelToNDC, glm::vec2 uvOffset, glm::vec2 uvSize) {
    UIVertex vertex;
    vertex.slot = {static_cast<float>(batch.slotFor(texture)), static_cast<float>(kind)};
    vertex.color = color;
    vertex.modelToNDC = modelToNDC;
    vertex.uvOffset = uvOffset;
    vertex.uvSize = uvSize;
    batch.push(vertex);
}

void drawUI(std::vector<EntityHandle>& uiList, Graphics::BatchManager<UIVertex>& batch, Shader& ui,
            glm::vec2 windowSize, const glm::mat4& screenProjection) {
    ComponentManager* components = ComponentManager::instance();
    EntityManager* entities = EntityManager::instance();
    if (!components || !entities) return;
    // Destroyed entities stay listed until the scene ends; they have lost their UITransform.
    const auto layerOf = [components](const EntityHandle& entry) {
        return components->HasComponent<UITransform>(entry.first)
                   ? components->GetComponent<UITransform>(entry.first).layer
                   : 0;
    };
    std::sort(uiList.begin(), uiList.end(),
              [&](const EntityHandle& a, const EntityHandle& b) { return layerOf(a) < layerOf(b); });

    batch.reset();
    glViewport(0, 0, static_cast<GLsizei>(windowSize.x), static_cast<GLsizei>(windowSize.y));
    ui.use();
    for (const auto& [entity, valid] : uiList) {
        if (!valid || !components->HasComponent<UITransform>(entity) || entities->IsDisabled(entity))
            continue;
        const UITransform& element = components->GetComponent<UITransform>(entity);
        if (components->HasComponent<SpriteRenderer>(entity)) {
            const SpriteRenderer& image = components->GetComponent<SpriteRenderer>(entity);
            if (image.texture)
                pushUIQuad(batch, image.texture->id, UIQuadKind::Image, image.color,
                           screenProjection * layoutUIElement(element, windowSize).model, image.uvOffset,
                           image.uvSize);
        }
        if (components->HasComponent<Text>(entity)) {
            const Text& text = components->GetComponent<Text>(entity);
            layoutText(text, element, windowSize, [&](const Glyph& glyph, const glm::mat4& model) {
                pushUIQuad(batch, glyph.texture, UIQuadKind::Glyph, text.color, screenProjection * model,
                           {0.0f, 0.0f}, {1.0f, 1.0f});
            });
        }
    }
    batch.flush();
    Shader::unbind();
}

} // namespace Qel
