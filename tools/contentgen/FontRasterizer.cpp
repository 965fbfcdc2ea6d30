#include "FontRasterizer.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <climits>
#include <vector>

namespace ContentGen {

namespace {

FT_Face asFace(void* face) {
    return static_cast<FT_Face>(face);
}

Image coverageOf(const FT_Bitmap& bitmap) {
    Image out(static_cast<int>(bitmap.width), static_cast<int>(bitmap.rows));
    for (unsigned y = 0; y < bitmap.rows; ++y)
        for (unsigned x = 0; x < bitmap.width; ++x)
            out.set(static_cast<int>(x), static_cast<int>(y),
                    {255, 255, 255, bitmap.buffer[y * bitmap.pitch + x]});
    return out;
}

} // namespace

FontRasterizer::FontRasterizer(const std::filesystem::path& fontFile) {
    FT_Library ft = nullptr;
    if (FT_Init_FreeType(&ft) != 0) return;
    library = ft;
    FT_Face loaded = nullptr;
    if (FT_New_Face(ft, fontFile.string().c_str(), 0, &loaded) != 0) return;
    face = loaded;

    FT_Set_Pixel_Sizes(loaded, 0, kEngineGlyphPixels);
    int maxTop = 0;
    int maxDescent = 0;
    for (unsigned code = 0; code < glyphs.size(); ++code) {
        if (FT_Load_Char(loaded, code, FT_LOAD_RENDER) != 0) continue;
        const FT_GlyphSlot slot = loaded->glyph;
        glyphs[code] = Glyph{coverageOf(slot->bitmap), slot->bitmap_left, slot->bitmap_top, slot->advance.x};
        maxTop = std::max(maxTop, slot->bitmap_top);
        maxDescent = std::max(maxDescent, static_cast<int>(slot->bitmap.rows) - slot->bitmap_top);
    }
    verticalOffset = static_cast<float>(maxTop - maxDescent);
}

FontRasterizer::~FontRasterizer() {
    if (face) FT_Done_Face(asFace(face));
    if (library) FT_Done_FreeType(static_cast<FT_Library>(library));
}

Image FontRasterizer::render(std::string_view text, int pixelSize) const {
    FT_Face f = asFace(face);
    FT_Set_Pixel_Sizes(f, 0, static_cast<FT_UInt>(pixelSize));
    // Two passes: measure the inked box, then draw into a picture of exactly that size.
    struct Placed {
        Image coverage;
        int x, y;
    };
    std::vector<Placed> placed;
    int pen = 0;
    int minX = INT_MAX, minY = INT_MAX, maxX = INT_MIN, maxY = INT_MIN;
    FT_UInt previous = 0;
    for (unsigned char code : text) {
        const FT_UInt index = FT_Get_Char_Index(f, code);
        if (previous && index && FT_HAS_KERNING(f)) {
            FT_Vector kerning{};
            FT_Get_Kerning(f, previous, index, FT_KERNING_DEFAULT, &kerning);
            pen += static_cast<int>(kerning.x >> 6);
        }
        previous = index;
        if (FT_Load_Glyph(f, index, FT_LOAD_RENDER) != 0) continue;
        const FT_GlyphSlot slot = f->glyph;
        Placed glyph{coverageOf(slot->bitmap), pen + slot->bitmap_left, -slot->bitmap_top};
        if (glyph.coverage.width() > 0 && glyph.coverage.height() > 0) {
            minX = std::min(minX, glyph.x);
            minY = std::min(minY, glyph.y);
            maxX = std::max(maxX, glyph.x + glyph.coverage.width());
            maxY = std::max(maxY, glyph.y + glyph.coverage.height());
            placed.push_back(std::move(glyph));
        }
        pen += static_cast<int>(slot->advance.x >> 6);
    }
    if (placed.empty()) return Image(1, 1);
    Image out(maxX - minX, maxY - minY);
    for (const Placed& glyph : placed) {
        for (int y = 0; y < glyph.coverage.height(); ++y) {
            for (int x = 0; x < glyph.coverage.width(); ++x) {
                const int ox = glyph.x - minX + x;
                const int oy = glyph.y - minY + y;
                const uint8_t a = std::max(out.get(ox, oy).a, glyph.coverage.get(x, y).a);
                out.set(ox, oy, {255, 255, 255, a});
            }
        }
    }
    return out;
}

const FontRasterizer::Glyph* FontRasterizer::engineGlyph(unsigned char code) const {
    return code < glyphs.size() && glyphs[code] ? &*glyphs[code] : nullptr;
}

} // namespace ContentGen
