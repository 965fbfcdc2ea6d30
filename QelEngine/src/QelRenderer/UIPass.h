#pragma once

#include "ECS/Entity.h"
#include "QelRenderer/BatchingManager.h"
#include "QelRenderer/Shader.h"
#include "QelRenderer/Vertices.h"

#include <glm/mat4x4.hpp>
#include <glm/vec2.hpp>

#include <vector>

namespace Qel {

/// Draws the UI straight to the bound framebuffer: sorts uiList by UITransform layer (lowest
/// first), then for every active entry its image (SpriteRenderer with a texture) and its text (Text
/// with a font) through the UI batch and the "ui" program. windowSize in pixels; screenProjection
/// maps pixels from the window centre to NDC. Entries that no longer exist are skipped.
void drawUI(std::vector<EntityHandle>& uiList, Graphics::BatchManager<UIVertex>& batch, Shader& ui,
            glm::vec2 windowSize, const glm::mat4& screenProjection);

} // namespace Qel
