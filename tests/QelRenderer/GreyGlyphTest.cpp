#include "QelRenderer/GreyGlyph.h"

#include <gtest/gtest.h>

#include <vector>

namespace Qel {
namespace {

FT_Bitmap bitmapOf(FT_Pixel_Mode mode, unsigned width, unsigned rows, int pitch,
                   std::vector<uint8_t>& bytes) {
    FT_Bitmap bitmap{};
    bitmap.pixel_mode = mode;
    bitmap.width = width;
    bitmap.rows = rows;
    bitmap.pitch = pitch;
    bitmap.buffer = bytes.data();
    bitmap.num_grays = mode == FT_PIXEL_MODE_GRAY ? 256 : 0;
    return bitmap;
}

TEST(GreyGlyphTest, EveryBitmapFormBecomesPackedEightBitGrey) {
    FT_Library library = nullptr;
    ASSERT_EQ(FT_Init_FreeType(&library), 0);
    // 10 x 2 pixels: the first row's end pixels set, the second row's middle eight; padded rows.
    std::vector<uint8_t> monoDown{0x80, 0x40, 0xEE, 0xEE, 0x7F, 0x80, 0xEE, 0xEE};
    std::vector<uint8_t> monoUp{0x7F, 0x80, 0xEE, 0xEE, 0x80, 0x40, 0xEE, 0xEE};
    std::vector<uint8_t> mono;
    for (const uint8_t row : {1, 0})
        for (int x = 0; x < 10; ++x)
            mono.push_back((x == 0 || x == 9) == row ? 255 : 0);
    std::vector<uint8_t> grey{10, 20, 30, 0xEE, 40, 50, 60, 0xEE}, grey2{0x1B};
    struct Case {
        FT_Bitmap bitmap;
        std::vector<uint8_t> expected;
    };
    const Case cases[] = {
        {bitmapOf(FT_PIXEL_MODE_MONO, 10, 2, 4, monoDown), mono},
        {bitmapOf(FT_PIXEL_MODE_MONO, 10, 2, -4, monoUp), mono},
        {bitmapOf(FT_PIXEL_MODE_GRAY, 3, 2, 4, grey), {10, 20, 30, 40, 50, 60}},
        {bitmapOf(FT_PIXEL_MODE_GRAY2, 4, 1, 1, grey2), {0, 85, 170, 255}},
        {bitmapOf(FT_PIXEL_MODE_GRAY, 0, 0, 0, grey), {}},
    };
    for (const Case& glyph : cases) {
        const std::optional<GreyGlyph> converted = toGreyGlyph(library, glyph.bitmap);
        ASSERT_TRUE(converted);
        EXPECT_EQ(converted->width, static_cast<int>(glyph.bitmap.width));
        EXPECT_EQ(converted->rows, static_cast<int>(glyph.bitmap.rows));
        EXPECT_EQ(converted->pixels, glyph.expected) << "mode " << int(glyph.bitmap.pixel_mode);
    }
    const FT_Bitmap unknown = bitmapOf(FT_PIXEL_MODE_NONE, 4, 1, 1, grey2);
    EXPECT_FALSE(toGreyGlyph(library, unknown));
    FT_Done_FreeType(library);
}

} // namespace
} // namespace Qel
