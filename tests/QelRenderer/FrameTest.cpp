#include "FrameTestSupport.h"

#include "ECS/Components/Light.h"
#include "ECS/Components/ModelMatrix.h"
#include "ECS/Components/Text.h"
#include "QelRenderer/CameraMath.h"
#include "QelRenderer/CameraState.h"
#include "QelRenderer/Font.h"
#include "QelRenderer/Texture.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <algorithm>
#include <cmath>

namespace Qel {
namespace {

using test::FrameTest;

testing::AssertionResult near(glm::u8vec4 pixel, glm::u8vec4 expected, int tolerance = 12) {
    for (int i = 0; i < 3; ++i)
        if (std::abs(int(pixel[i]) - int(expected[i])) > tolerance)
            return testing::AssertionFailure()
                   << "pixel " << int(pixel.r) << "," << int(pixel.g) << "," << int(pixel.b) << " expected "
                   << int(expected.r) << "," << int(expected.g) << "," << int(expected.b);
    return testing::AssertionSuccess();
}

constexpr glm::u8vec4 kRed{255, 0, 0, 255};
constexpr glm::u8vec4 kBlue{0, 0, 255, 255};
constexpr glm::u8vec4 kWhite{255, 255, 255, 255};
constexpr glm::u8vec4 kBlack{0, 0, 0, 255};

TEST_F(FrameTest, ASpriteCoversItsWorldRectangleAndTheHigherLayerWins) {
    Texture* red = solidTexture("red", kRed);
    Texture* blue = solidTexture("blue", kBlue);
    // A 2 x 2 sprite at (5, 2) covers 64 x 64 pixels around (800, 424).
    addSprite({5.0f, 2.0f}, {2.0f, 2.0f}, red);
    const Entity under = addSprite({-5.0f, 0.0f}, {2.0f, 2.0f}, red);
    addSprite({-4.5f, 0.0f}, {2.0f, 2.0f}, blue, 1);
    drawFrame();

    const glm::ivec2 centre = pixelOf({5.0f, 2.0f});
    EXPECT_TRUE(near(readPixel(centre.x, centre.y), kRed));
    EXPECT_TRUE(near(readPixel(centre.x + 36, centre.y), kBlack));

    // Where opaque sprites overlap, they are drawn nearest first against a depth buffer and the
    // others in layer order over them: whatever the mix, the picture is what painting gives.
    Texture* ghost = solidTexture("ghost", {255, 0, 0, 128});
    constexpr glm::u8vec4 kHalfAndHalf{186, 0, 186, 255};
    const struct {
        int underLayer;
        float underAlpha;
        Texture* underTexture;
        glm::u8vec4 expected;
    } stacks[] = {
        {0, 1.0f, red, kBlue},           // opaque over opaque
        {2, 0.5f, red, kHalfAndHalf},    // a faded sprite over an opaque one
        {0, 0.5f, red, kBlue},           // an opaque sprite over a faded one drawn after it
        {2, 1.0f, ghost, kHalfAndHalf},  // a texture with translucent texels is not opaque
    };
    // Without and with two opaque backdrops filling the view: opaque sprites that must overlap.
    Texture* black = solidTexture("black", kBlack);
    const Entity backdrops[] = {addSprite({0.0f, 0.0f}, {0.0f, 0.0f}, black, -2),
                                addSprite({0.0f, 0.0f}, {0.0f, 0.0f}, black, -1)};
    for (const float backdropSize : {0.0f, 100.0f}) {
        for (const Entity backdrop : backdrops) {
            Transform& transform = components->GetComponent<Transform>(backdrop);
            transform.scale = {backdropSize, backdropSize, 1.0f};
            refreshModelMatrix(transform);
        }
        for (const auto& stack : stacks) {
            SpriteRenderer& sprite = components->GetComponent<SpriteRenderer>(under);
            sprite.layerNum = stack.underLayer;
            sprite.color.a = stack.underAlpha;
            sprite.texture = stack.underTexture;
            drawFrame();
            EXPECT_TRUE(near(pixelAt({-4.75f, 0.0f}), stack.expected))
                << stack.underLayer << " " << stack.underAlpha << " backdrop " << backdropSize;
        }
    }
    // Nor is a picture with a transparent border: filtered at its edge, it lets the blue show.
    test::writeText(*scratch / "bordered.png.mdata", R"({"wrapmode": "clampToBorder"})");
    components->GetComponent<SpriteRenderer>(under) = {.layerNum = 2, .texture = solidTexture("bordered", kRed)};
    drawFrame();
    EXPECT_GT(pixelAt({-4.02f, 0.0f}).b, 100);
}

TEST_F(FrameTest, AFrameWithNothingInViewShowsTheCompositedClearColourOfItsOwnFrame) {
    // A transparent sprite in view keeps the full composite running over an unchanged scene.
    Texture* white = solidTexture("white", kWhite);
    const Entity clear = addSprite({0.0f, 0.0f}, {2.0f, 2.0f}, white);
    components->GetComponent<SpriteRenderer>(clear).color.a = 0.0f;
    const Entity glow = addSprite({100.0f, 0.0f}, {2.0f, 2.0f}, white);
    components->GetComponent<SpriteRenderer>(glow) = {.emissionAmount = 4.0f, .texture = white, .emission = white};
    const glm::vec4 colors[2] = {{0.5f, 0.5f, 0.5f, 1.0f}, {0.9f, 0.05f, 0.3f, 1.0f}};
    glm::u8vec4 composited[2];
    for (int i = 0; i < 2; ++i) {
        glClearColor(colors[i].r, colors[i].g, colors[i].b, colors[i].a);
        drawFrame();
        composited[i] = readPixel(10, 10);
    }
    // The linear clear colour is encoded for display.
    EXPECT_GT(brightness(composited[0]), 3 * 100);
    // A glow in view, then nothing: no glow of the last frame may stay behind in the bloom.
    const auto moveTo = [&](Entity entity, float x) {
        Transform& placed = components->GetComponent<Transform>(entity);
        placed.position.x = x;
        refreshModelMatrix(placed);
    };
    moveTo(glow, 0.0f);
    drawFrame();
    moveTo(glow, 100.0f);
    moveTo(clear, 100.0f);
    // The first empty frame of a clear colour composites; the next ones repeat its pixel.
    for (int i : {0, 0, 1, 1, 0}) {
        glClearColor(colors[i].r, colors[i].g, colors[i].b, colors[i].a);
        drawFrame();
        for (const glm::ivec2 at : {glm::ivec2(10, 10), glm::ivec2(1200, 700), glm::ivec2(640, 360)})
            EXPECT_TRUE(near(readPixel(at.x, at.y), composited[i], 1)) << i << " at " << at.x << "," << at.y;
    }
}

TEST_F(FrameTest, ALightBrightensSpritesWithinItsRangeOnly) {
    Texture* white = solidTexture("white", kWhite);
    graphics->setAmbient(glm::vec4(1.0f, 1.0f, 1.0f, 0.1f));
    addSprite({2.0f, 0.0f}, {1.0f, 1.0f}, white);
    addSprite({12.0f, 0.0f}, {1.0f, 1.0f}, white);
    // Its centre is beyond the range, its right end within it.
    addSprite({-8.0f, 0.0f}, {12.0f, 1.0f}, white);
    world->spawn(Transform{}, Light{.range = 6.0f, .intensity = 2.0f});
    drawFrame();

    const int lit = brightness(pixelAt({2.0f, 0.0f})), unlit = brightness(pixelAt({12.0f, 0.0f}));
    EXPECT_GT(lit, unlit + 120);
    EXPECT_GT(unlit, 0) << "ambient still shows the far sprite";
    EXPECT_GT(brightness(pixelAt({-2.5f, 0.0f})), brightness(pixelAt({-13.5f, 0.0f})) + 120);
}

TEST_F(FrameTest, AShadowDarkensTheGroundButNotWhatStandsOnIt) {
    Texture* white = solidTexture("white", kWhite);
    graphics->setAmbient(glm::vec4(1.0f, 1.0f, 1.0f, 0.6f));
    const Entity ground = addSprite({0.0f, 0.0f}, {30.0f, 16.0f}, white, 0);
    components->GetComponent<SpriteRenderer>(ground).isRecieveShadow = true;
    const Entity caster =
        addSprite({3.0f, 0.0f}, {2.0f, 2.0f}, solidTexture("grey", {128, 128, 128, 255}), 1);
    components->GetComponent<SpriteRenderer>(caster).isCastShadow = true;
    const Entity bystander = addSprite({3.5f, 2.5f}, {1.0f, 1.0f}, white, 1);
    announce(ground);
    announce(caster);
    world->spawn(Transform{}, Light{.range = 10.0f});
    drawFrame();
    const int bystanderLit = brightness(pixelAt({3.5f, 2.5f}));

    // The shadow is pushed away from the light: right of the caster's own right edge.
    EXPECT_LT(brightness(pixelAt({4.2f, 0.0f})) + 30, brightness(pixelAt({-4.2f, 0.0f})));
    // A non-receiver inside the shadow's reach is drawn after the shadows.
    components->GetComponent<Transform>(bystander).position = glm::vec3(4.2f, 0.0f, 0.0f);
    components->GetComponent<Transform>(bystander).model[3] = glm::vec4(4.2f, 0.0f, 0.0f, 1.0f);
    drawFrame();
    EXPECT_NEAR(brightness(pixelAt({4.2f, 0.0f})), bystanderLit, 30);
}

TEST_F(FrameTest, TheCompositeIsDisplayReadyAndTheLookUpTableRegradesItOnlyWhenEnabled) {
    addSprite({0.0f, 0.0f}, {4.0f, 4.0f}, solidTexture("tint", {124, 63, 203, 255}));
    // 256 x 16, top row first: block = blue, x in the block = red, green grows upwards. This table
    // swaps red and blue; the tint lies between the table's steps, so entries are blended.
    std::vector<uint8_t> lut;
    for (int green = 15; green >= 0; --green)
        for (int blue = 0; blue < 16; ++blue)
            for (int red = 0; red < 16; ++red)
                lut.insert(lut.end(), {uint8_t(blue * 17), uint8_t(green * 17), uint8_t(red * 17), 255});
    test::writePng(*scratch / "SwapLUT.png", 256, 16, 4, lut);
    test::writeText(*scratch / "SwapLUT.png.mdata",
                    R"({"wrapmode": "clampToEdge", "filtermode": "linear", "sRGB": false})");
    assets->load<Texture>("SwapLUT", (*scratch / "SwapLUT.png").c_str());

    const glm::u8vec4 tint{124, 63, 203, 255}, swapped{203, 63, 124, 255};
    drawFrame();
    EXPECT_TRUE(near(readPixel(640, 360), tint)) << "the linear scene is encoded for display";
    scenes->lighting.lutName = "SwapLUT";
    drawFrame();
    EXPECT_TRUE(near(readPixel(640, 360), tint)) << "the table is off until isLUT";
    scenes->lighting.isLUT = true;
    drawFrame();
    EXPECT_TRUE(near(readPixel(640, 360), swapped));
    scenes->lighting.lutName.clear();
    drawFrame();
    EXPECT_TRUE(near(readPixel(640, 360), tint)) << "an empty name disables the table";
}

TEST_F(FrameTest, HighlightsRollOffBelowWhiteKeepingTheHue) {
    // Lit twice over, the linear colour (0.6, 0.3, 0) becomes (1.2, 0.6, 0): clipped, red would be 1.
    graphics->setAmbient(glm::vec4(1.0f, 1.0f, 1.0f, 2.0f));
    addSprite({0.0f, 0.0f}, {8.0f, 8.0f}, solidTexture("amber", {203, 149, 0, 255}));
    drawFrame();
    const glm::vec3 shown = glm::vec3(readPixel(640, 360)) / 255.0f;
    EXPECT_GT(shown.r, 0.97f);
    EXPECT_LT(shown.r, 0.995f);
    // Red stays twice green in linear terms.
    EXPECT_NEAR(std::pow(shown.g, 2.2f) / std::pow(shown.r, 2.2f), 0.5f, 0.02f);
}

/// A 200 x 100 reference-pixel UI image anchored to the top-right corner, its pivot on that corner.
void addCornerImage(test::World& world, Texture* texture) {
    const UITransform ui{.pivot = {0.5f, 0.5f},
                         .anchorMin = {1.0f, 1.0f},
                         .anchorMax = {1.0f, 1.0f},
                         .width = 200.0f,
                         .height = 100.0f};
    world.scenes->drawLists.addUI(world.spawn(ui, SpriteRenderer{.texture = texture}));
}

TEST_F(FrameTest, AUIImageAnchoredToACornerStaysInThatCornerAtAnySize) {
    addCornerImage(*world, solidTexture("red", kRed));
    for (glm::ivec2 size : {glm::ivec2(1280, 720), glm::ivec2(800, 600)}) {
        glfwSetWindowSize(window->getWindow(), size.x, size.y);
        for (int i = 0; i < 50 && glm::ivec2(currentWindowSize()) != size; ++i)
            glfwWaitEventsTimeout(0.02);
        ASSERT_EQ(glm::ivec2(currentWindowSize()), size);
        cameraState().screenProjection =
            ortho(-size.x / 2.0f, size.x / 2.0f, -size.y / 2.0f, size.y / 2.0f, -10, 10);
        drawFrame();
        // 200 x 100 reference pixels are (w / 2560) and (h / 1440) of the window.
        const int width = size.x * 200 / 2560, height = size.y * 100 / 1440;
        EXPECT_TRUE(near(readPixel(size.x - 2, size.y - 2), kRed)) << size.x;
        EXPECT_TRUE(near(readPixel(size.x - width + 2, size.y - height + 2), kRed)) << size.x;
        EXPECT_TRUE(near(readPixel(size.x - width - 3, size.y - 2), kBlack)) << size.x;
        EXPECT_TRUE(near(readPixel(size.x - 2, size.y - height - 3), kBlack)) << size.x;
    }
}

/// Columns of the window row band [y0, y1) that hold any bright pixel: first and last.
std::pair<int, int> litColumns(int y0, int y1) {
    std::vector<glm::u8vec4> pixels(1280 * (y1 - y0));
    glReadPixels(0, y0, 1280, y1 - y0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    int first = 1280, last = -1;
    for (size_t i = 0; i < pixels.size(); ++i) {
        if (pixels[i].r + pixels[i].g + pixels[i].b < 300) continue;
        first = std::min(first, int(i % 1280));
        last = std::max(last, int(i % 1280));
    }
    return {first, last};
}

TEST_F(FrameTest, TextSitsLeftCentredOrRightInItsElement) {
    Font* font = assets->findRegistry<Font>() ? assets->findRegistry<Font>()->get(hashName("Roboto-Modified"))
                                              : nullptr;
    ASSERT_NE(font, nullptr) << "the build puts the UI font in Assets/Fonts";
    // 1200 reference pixels are 600 window pixels, centred: from x 340 to 940.
    const Entity entity = world->spawn(UITransform{.width = 1200.0f, .height = 200.0f},
                                       Text{.text = "MMMM\xE9", .size = 40, .font = font});
    scenes->drawLists.addUI(entity);
    int widths[3] = {};
    for (int alignment : {Text::MiddleLeft, Text::Centre, Text::MiddleRight}) {
        components->GetComponent<Text>(entity).alignment = alignment;
        drawFrame();
        const auto [first, last] = litColumns(330, 390);
        ASSERT_GE(last, first) << "alignment " << alignment;
        widths[alignment - 3] = last - first;
        const int expected[3] = {first - 340, (first + last) / 2 - 640, last - 940};
        EXPECT_NEAR(expected[alignment - Text::MiddleLeft], 0, 8) << "alignment " << alignment;
    }
    EXPECT_NEAR(widths[0], widths[2], 2) << "the same line in each place";
}

TEST_F(FrameTest, APictureIsDrawnUprightTexelForTexelWithItsOwnFilter) {
    // 3 x 2 RGB texels, top row first as in the file: a row of 9 bytes, which no 4-byte alignment fits.
    const std::vector<uint8_t> picture = {255, 0,   0, 0, 255, 0,   0,   0, 255,
                                          255, 255, 0, 0, 255, 255, 255, 0, 255};
    const std::filesystem::path path = *scratch / "picture.png";
    test::writePng(path, 3, 2, 3, picture);
    test::writeText(path.string() + ".mdata", R"({"filtermode": "nearest"})");
    assets->load<Texture>("picture", path.c_str());
    addSprite({0.0f, 0.0f}, {6.0f, 4.0f}, assets->findRegistry<Texture>()->get(hashName("picture")));
    drawFrame();
    // Each texel covers 2 x 2 world units, the top row the upper half. Sampled 0.8 units from a
    // texel's centre towards its neighbour, a linear filter would mix the two.
    for (int texel = 0; texel < 6; ++texel) {
        const glm::vec2 at((texel % 3 - 1) * 2.0f + (texel % 3 == 2 ? -0.8f : 0.8f),
                           texel < 3 ? 1.0f : -1.0f);
        const glm::u8vec4 expected(picture[texel * 3], picture[texel * 3 + 1], picture[texel * 3 + 2], 255);
        EXPECT_TRUE(near(pixelAt(at), expected)) << "texel " << texel;
    }
}

TEST_F(FrameTest, ALightMaskIsDrawnDisplayReadyAtItsOwnStrength) {
    // A mid-grey mask (sRGB 128) at half strength over black: 64, neither left linear nor opaque.
    const Entity masked = addSprite({0.0f, 0.0f}, {4.0f, 4.0f}, solidTexture("black", kBlack));
    SpriteRenderer& sprite = components->GetComponent<SpriteRenderer>(masked);
    sprite.lightMask = solidTexture("grey", {128, 128, 128, 255});
    sprite.lightMaskAlpha = 0.5f;
    drawFrame();
    EXPECT_TRUE(near(readPixel(640, 360), {64, 64, 64, 255}, 6));
}

TEST_F(FrameTest, AMirroredSpriteShowsUntilItsEdgeLeavesTheView) {
    // The picture ends at x = 20 and culling keeps centres up to 25.5 (default zoom): a 12-unit
    // sprite centred at 25.6 still covers the last 0.4 units.
    addSprite({25.6f, 0.0f}, {-12.0f, -12.0f}, solidTexture("white", kWhite));
    drawFrame();
    EXPECT_TRUE(near(readPixel(1275, 360), kWhite));
}

} // namespace
} // namespace Qel
