#include "QelRenderer/Font.h"

#include "RendererTestSupport.h"

#include <GL/glew.h>

namespace Qel {
namespace {

class FontTest : public test::RendererTest {};

TEST_F(FontTest, EveryAsciiGlyphGetsATextureAndMetricsAt50Pixels) {
    const char* roboto = "/usr/share/fonts/truetype/roboto/unhinted/RobotoTTF/Roboto-Regular.ttf";
    if (!std::filesystem::exists(roboto)) GTEST_SKIP() << "font package not installed";
    const Font font(roboto);
    EXPECT_EQ(font.glyphs.size(), 128u);
    const Glyph* capital = font.findGlyph('H');
    ASSERT_NE(capital, nullptr);
    // A capital at 50 pixels stands about 36 pixels on the baseline; advances are in 1/64 pixel.
    EXPECT_NEAR(capital->size.y, 36, 2);
    EXPECT_EQ(capital->bearing.y, capital->size.y);
    EXPECT_GT(capital->advance, 20 * 64);
    GLint width = 0;
    glGetTextureLevelParameteriv(capital->texture, 0, GL_TEXTURE_WIDTH, &width);
    EXPECT_EQ(width, capital->size.x);
    EXPECT_GT(font.verticalOffset, 20.0f);
    EXPECT_LT(font.verticalOffset, 50.0f);
    EXPECT_EQ(font.findGlyph(200), nullptr);
}

} // namespace
} // namespace Qel
