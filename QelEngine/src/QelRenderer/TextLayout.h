#pragma once

#include "ECS/Components/Text.h"
#include "ECS/Components/UITransform.h"
#include "QelRenderer/Font.h"

#include <glm/mat4x4.hpp>
#include <glm/vec2.hpp>

#include <functional>

namespace Qel {

/// Receives one laid-out glyph and the model matrix that places the unit quad over its bitmap, in
/// pixels from the window centre.
using GlyphSink = std::function<void(const Glyph& glyph, const glm::mat4& model)>;

/// Lays the text out over its element's rectangle for a window of windowSize pixels, aligned by
/// text.alignment, and hands every drawable glyph to sink in reading order. Lines are separated by
/// byte 10; bytes without a glyph (above 127, failed to load, 0) take no room. Nothing happens
/// without a font.
void layoutText(const Text& text, const UITransform& element, glm::vec2 windowSize, const GlyphSink& sink);

} // namespace Qel
