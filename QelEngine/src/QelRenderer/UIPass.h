#pragma once

#include "ECS/Entity.h"
#include "QelRenderer/BatchingManager.h"
#include "QelRenderer/Shader.h"
#include "QelRenderer/Vertices.h"

#include <glm/mat4x4.hpp>
#include <glm/vec2.hpp>

#include <cstdint>
#include <vector>

namespace Qel {

/// How the "ui" program reads a quad's texture: an image's colours, or a glyph's red channel as
/// the coverage of the quad's colour.
enum class UIQuadKind { Image = 0, Glyph = 1 };

/// Queues one quad of the UI batch: its texture (a GL name), colour (RGBA, 0..1), placement and
/// the texture rectangle shown (texture units).
void pushUIQuad(Graphics::BatchManager<UIVertex>& batch, uint32_t texture, UIQuadKind kind,
                const glm::vec4& color, const glm::mat4& modelToNDC, glm::vec2 uvOffset = {0.0f, 0.0f},
                glm::vec2 uvSize = {1.0f, 1.0f});

/// Draws the UI straight to the bound framebuffer: sorts uiList by UITransform layer (lowest
/// first), then for every active entry its image (SpriteRenderer with a texture) and its text (Text
/// with a font) through the UI batch and the "ui" program. windowSize in pixels; screenProjection
/// maps pixels from the window centre to NDC. Entries that no longer exist are skipped.
void drawUI(std::vector<EntityHandle>& uiList, Graphics::BatchManager<UIVertex>& batch, Shader& ui,
            glm::vec2 windowSize, const glm::mat4& screenProjection);

} // namespace Qel
