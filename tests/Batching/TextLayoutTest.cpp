#include "QelRenderer/TextLayout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace Qel {
namespace {

// A 1536 x 1152 window has reference scales (0.6, 0.8) of length 1, so a size-100 text is drawn at
// twice the raster size; the line step is then 2 * verticalOffset 15, and the advances
// (30 * 64 * 2) >> 6 for 'A' and (24 * 64 * 2) >> 6 for 'g'.
constexpr glm::vec2 kWindow{1536.0f, 1152.0f};
constexpr float kScale = 2.0f;
constexpr float kLine = 30.0f;
constexpr float kA = 60.0f;
constexpr float kG = 48.0f;

/// Which glyph landed where: pen position and baseline, pixels.
using Placed = std::tuple<char, float, float>;

class TextLayoutTest : public testing::Test {
protected:
    TextLayoutTest() {
        font.glyphs['A'] = {.texture = 'A', .size = {20, 30}, .bearing = {2, 25}, .advance = 30 * 64};
        font.glyphs['g'] = {.texture = 'g', .size = {18, 28}, .bearing = {1, 18}, .advance = 24 * 64};
        font.verticalOffset = 15.0f;
        text.font = &font;
        text.size = 100;
        // Centred on the window, 300 x 240 pixels here: edges at x = +-150 and y = +-120.
        element.width = 500.0f;
        element.height = 300.0f;
    }
    // The hand-made glyphs own no GL textures.
    ~TextLayoutTest() override { font.glyphs.clear(); }

    std::vector<Placed> layout(const std::string& string, int alignment) {
        text.text = string;
        text.alignment = alignment;
        std::vector<Placed> placed;
        layoutText(text, element, kWindow, [&](const Glyph& glyph, const glm::mat4& model) {
            // The quad's upper-left corner lands on the bitmap's lower-left: rows are turned upright.
            const glm::vec4 lowerLeft = model * glm::vec4(-0.5f, 0.5f, 0.0f, 1.0f);
            const glm::vec4 upperRight = model * glm::vec4(0.5f, -0.5f, 0.0f, 1.0f);
            EXPECT_NEAR(upperRight.x - lowerLeft.x, glyph.size.x * kScale, 1e-3f);
            EXPECT_NEAR(upperRight.y - lowerLeft.y, glyph.size.y * kScale, 1e-3f);
            placed.emplace_back(static_cast<char>(glyph.texture), lowerLeft.x - glyph.bearing.x * kScale,
                                lowerLeft.y + (glyph.size.y - glyph.bearing.y) * kScale);
        });
        return placed;
    }

    Font font;
    Text text;
    UITransform element;
};

TEST_F(TextLayoutTest, RowsAndColumnsPlaceEveryLineAgainstTheElementEdges) {
    // Top: the first baseline one line step below the top edge; right: every line ends on the edge.
    EXPECT_EQ(layout("Ag\nA", Text::TopRight),
              (std::vector<Placed>{
                  {'A', 150 - kA - kG, 90}, {'g', 150 - kG, 90}, {'A', 150 - kA, 90 - 2 * kLine}}));
    // Centre: the block's middle on the anchor, each line centred on its own width.
    EXPECT_EQ(layout("Ag\nA", Text::Centre),
              (std::vector<Placed>{
                  {'A', -0.5f * (kA + kG), 15}, {'g', 0.5f * (kA - kG), 15}, {'A', -0.5f * kA, -45}}));
    // Bottom: the last baseline on the bottom edge, whatever the line count.
    EXPECT_EQ(layout("A\nA\nA", Text::BottomCentre),
              (std::vector<Placed>{{'A', -30, 0}, {'A', -30, -60}, {'A', -30, -120}}));
}

TEST_F(TextLayoutTest, BytesWithoutAGlyphTakeNoRoom) {
    EXPECT_TRUE(layout("", Text::Centre).empty());
    // Two bytes above 127 (a UTF-8 letter), 'z' missing from the font, and a zero byte.
    EXPECT_EQ(layout("A\xC3\xA9z" + std::string(1, '\0') + "g", Text::TopCentre),
              (std::vector<Placed>{{'A', -54, 90}, {'g', -54 + kA, 90}}));
    text.font = nullptr;
    EXPECT_TRUE(layout("Ag", Text::TopLeft).empty());
}

TEST_F(TextLayoutTest, PivotShiftsTheBlockAndUnknownAlignmentsStayAtTheAnchor) {
    EXPECT_EQ(layout("A", 9), (std::vector<Placed>{{'A', 0, 0}}));
    element.pivot = {0.5f, 0.5f};
    element.position = {100.0f, 0.0f, 0.0f};
    EXPECT_EQ(layout("A", Text::TopLeft), (std::vector<Placed>{{'A', 60 - 150 - 150, -120 + 120 - kLine}}));
}

} // namespace
} // namespace Qel
