#pragma once

#include <glm/vec4.hpp>

#include <cstdint>
#include <string>

namespace Qel {

class Font;

/// Component: a text drawn in the UI pass over the entity's UITransform.
struct Text {
    /// Anchor cell of a 3 x 3 grid, row * 3 + column: rows top, middle, bottom; columns left,
    /// centre, right.
    enum Alignment : int32_t {
        TopLeft = 0,
        TopCentre = 1,
        TopRight = 2,
        MiddleLeft = 3,
        Centre = 4,
        MiddleRight = 5,
        BottomLeft = 6,
        BottomCentre = 7,
        BottomRight = 8,
    };

    std::string text;
    /// Font size in points of the reference resolution.
    int32_t size = 24;
    /// Shared with the Font registry; null when the file names no loaded font.
    Font* font = nullptr;
    /// RGBA, 0..1.
    glm::vec4 color{1.0f, 1.0f, 1.0f, 1.0f};
    int32_t alignment = TopLeft;
};

} // namespace Qel
