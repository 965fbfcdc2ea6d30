#include "QelRenderer/TextLayout.h"

#include "QelRenderer/UILayout.h"

#include <glm/ext/matrix_transform.hpp>
#include <glm/geometric.hpp>

#include <algorithm>
#include <cmath>
#include <string_view>

namespace Qel {

namespace {

constexpr char kNewline = '\n';

const Glyph* drawableGlyph(const Font& font, char byte) {
    return byte == '\0' ? nullptr : font.findGlyph(static_cast<unsigned char>(byte));
}

// Glyph advances are in 1/64 pixel; they are scaled first and the fraction dropped after.
long scaledAdvance(const Glyph& glyph, float scale) {
    return static_cast<long>(std::floor(static_cast<float>(glyph.advance) * scale)) >> 6;
}

float lineWidth(const Font& font, std::string_view line, float scale) {
    long width = 0;
    for (const char byte : line)
        if (const Glyph* glyph = drawableGlyph(font, byte)) width += scaledAdvance(*glyph, scale);
    return static_cast<float>(width);
}

} // namespace

void layoutText(const Text& text, const UITransform& element, glm::vec2 windowSize, const GlyphSink& sink) {
    if (!text.font) return;
    const Font& font = *text.font;
    const glm::vec2 k = uiReferenceScale(windowSize);
    const glm::vec2 anchor = layoutUIElement(element, windowSize).position;
    // Half the element's reference size in pixels; the text ignores the element's scale and rotation.
    const glm::vec2 halfBox = 0.5f * k * glm::vec2(element.width, element.height);
    float x = anchor.x - k.x * element.width * element.pivot.x;
    float y = anchor.y - k.y * element.height * element.pivot.y;

    const float scale = static_cast<float>(text.size) * glm::length(k) / static_cast<float>(Font::kPixelSize);
    const float lineStep = scale * font.verticalOffset;
    const auto newlines = static_cast<float>(std::count(text.text.begin(), text.text.end(), kNewline));
    const float blockHeight = lineStep + 2.0f * lineStep * newlines;

    // Alignment is row * 3 + column; anything outside the grid stays at the anchor, pen at x.
    const bool aligned = text.alignment >= 0 && text.alignment <= 8;
    const int row = aligned ? text.alignment / 3 : -1;
    const int column = aligned ? text.alignment % 3 : -1;
    if (row == 0) y += halfBox.y - lineStep;
    if (row == 1) y += 0.5f * blockHeight - lineStep;
    if (row == 2) y += blockHeight - halfBox.y - lineStep;
    if (column == 0) x -= halfBox.x;
    if (column == 2) x += halfBox.x;

    std::string_view rest = text.text;
    while (true) {
        const size_t end = rest.find(kNewline);
        const std::string_view line = rest.substr(0, end);
        float pen = x;
        if (column == 1) pen -= 0.5f * lineWidth(font, line, scale);
        if (column == 2) pen -= lineWidth(font, line, scale);
        for (const char byte : line) {
            const Glyph* glyph = drawableGlyph(font, byte);
            if (!glyph) continue;
            const glm::vec2 bitmap = glm::vec2(glyph->size) * scale;
            const glm::vec3 corner(pen + static_cast<float>(glyph->bearing.x) * scale,
                                   y - static_cast<float>(glyph->size.y - glyph->bearing.y) * scale, 0.0f);
            // The unit quad is centred on the origin: shift it to span (0..1, -1..0), then flip y
            // so the bitmap's first row ends up on top.
            glm::mat4 model = glm::translate(glm::mat4(1.0f), corner);
            model = glm::scale(model, glm::vec3(bitmap.x, -bitmap.y, 1.0f));
            sink(*glyph, glm::translate(model, glm::vec3(0.5f, -0.5f, 0.0f)));
            pen += static_cast<float>(scaledAdvance(*glyph, scale));
        }
        y -= 2.0f * lineStep;
        if (end == std::string_view::npos) break;
        rest.remove_prefix(end + 1);
    }
}

} // namespace Qel
