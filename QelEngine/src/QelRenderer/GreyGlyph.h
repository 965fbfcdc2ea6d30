#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdint>
#include <optional>
#include <vector>

namespace Qel {

/// A glyph bitmap as a single-channel GL texture takes it: one byte per pixel from 0 (empty) to
/// 255 (covered), rows packed without padding, top row first.
struct GreyGlyph {
    /// Pixels.
    int width = 0;
    int rows = 0;
    std::vector<uint8_t> pixels;
};

/// The 8-bit grey form of a rendered glyph bitmap of any pixel mode FreeType produces (1-bit mono
/// strikes, 2- and 4-bit grey, 8-bit grey, colour), whatever its pitch. None when FreeType cannot
/// convert it. library only lends FreeType's memory handling.
std::optional<GreyGlyph> toGreyGlyph(FT_Library library, const FT_Bitmap& bitmap);

} // namespace Qel
