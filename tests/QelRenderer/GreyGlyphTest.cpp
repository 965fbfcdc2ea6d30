#include "QelRenderer/GreyGlyph.h"

#include <gtest/gtest.h>

#include <vector>

namespace Qel {
namespace {

TEST(GreyGlyphTest, EveryBitmapFormBecomesPackedEightBitGrey) {
    FT_Library library = nullptr;
    ASSERT_EQ(FT_Init_FreeType(&library), 0);
    // Rows padded with 0xEE; a negative pitch stores them bottom up.
    std::vector<uint8_t> monoDown{0xA0, 0xEE, 0x50, 0xEE}, monoUp{0x50, 0xEE, 0xA0, 0xEE};
    std::vector<uint8_t> grey{10, 20, 30, 0xEE, 40, 50, 60, 0xEE}, grey2{0x1B};
    const std::vector<uint8_t> checker{255, 0, 255, 0, 0, 255, 0, 255};
    struct Case {
        FT_Pixel_Mode mode;
        unsigned width, rows;
        int pitch;
        std::vector<uint8_t>* bytes;
        std::vector<uint8_t> expected;
    };
    const Case cases[] = {
        {FT_PIXEL_MODE_MONO, 4, 2, 2, &monoDown, checker},
        {FT_PIXEL_MODE_MONO, 4, 2, -2, &monoUp, checker},
        {FT_PIXEL_MODE_GRAY, 3, 2, 4, &grey, {10, 20, 30, 40, 50, 60}},
        {FT_PIXEL_MODE_GRAY2, 4, 1, 1, &grey2, {0, 85, 170, 255}},
        {FT_PIXEL_MODE_GRAY, 0, 0, 0, &grey, {}},
    };
    for (const Case& glyph : cases) {
        FT_Bitmap bitmap{.rows = glyph.rows,
                         .width = glyph.width,
                         .pitch = glyph.pitch,
                         .buffer = glyph.bytes->data(),
                         .num_grays = 256,
                         .pixel_mode = static_cast<unsigned char>(glyph.mode),
                         .palette_mode = 0,
                         .palette = nullptr};
        const std::optional<GreyGlyph> converted = toGreyGlyph(library, bitmap);
        ASSERT_TRUE(converted);
        EXPECT_EQ(converted->width * converted->rows, static_cast<int>(glyph.width * glyph.rows));
        EXPECT_EQ(converted->pixels, glyph.expected) << "mode " << glyph.mode << " pitch " << glyph.pitch;
        bitmap.pixel_mode = FT_PIXEL_MODE_NONE;
        EXPECT_EQ(toGreyGlyph(library, bitmap).has_value(), glyph.width == 0) << "nothing to convert";
    }
    FT_Done_FreeType(library);
}

} // namespace
} // namespace Qel
