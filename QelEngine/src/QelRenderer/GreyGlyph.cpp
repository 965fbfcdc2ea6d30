#include "QelRenderer/GreyGlyph.h"

#include FT_BITMAP_H

#include <algorithm>
#include <cstddef>

namespace Qel {

std::optional<GreyGlyph> toGreyGlyph(FT_Library library, const FT_Bitmap& bitmap) {
    // A space has no bitmap at all, and no buffer to convert.
    if (bitmap.width == 0 || bitmap.rows == 0) return GreyGlyph{};
    FT_Bitmap grey;
    FT_Bitmap_Init(&grey);
    if (FT_Bitmap_Convert(library, &bitmap, &grey, 1) != 0) {
        FT_Bitmap_Done(library, &grey);
        return std::nullopt;
    }
    GreyGlyph glyph{static_cast<int>(grey.width), static_cast<int>(grey.rows), {}};
    glyph.pixels.reserve(static_cast<size_t>(glyph.width) * static_cast<size_t>(glyph.rows));
    // The conversion keeps the source's levels (a mono strike comes out as 0 and 1).
    const unsigned top = grey.num_grays > 1 ? grey.num_grays - 1u : 1u;
    // With a negative pitch the rows lie bottom up from buffer; stepping by the pitch goes down.
    const ptrdiff_t pitch = grey.pitch;
    const unsigned char* row = grey.buffer + (pitch < 0 ? -pitch * (glyph.rows - 1) : 0);
    for (int y = 0; y < glyph.rows; ++y, row += pitch)
        for (int x = 0; x < glyph.width; ++x)
            glyph.pixels.push_back(static_cast<uint8_t>(std::min<unsigned>(row[x], top) * 255u / top));
    FT_Bitmap_Done(library, &grey);
    return glyph;
}

} // namespace Qel
