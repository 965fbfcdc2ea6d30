#include "FrameTestSupport.h"

#include "QelCore/FrameRateController.h"
#include "QelRenderer/FrameOverlay.h"

namespace Qel {
namespace {

using test::FrameTest;

TEST_F(FrameTest, TheFrameOverlayShowsTheRealCountersInItsCornerOnlyWhileOn) {
    // Every clock read moves 10 ms on, so a quarter second of frames passes within a few.
    FrameRateController timing(std::make_unique<ManualClock>(0, 100'000));
    Texture* white = solidTexture("white", {255, 255, 255, 255});
    addSprite({0.0f, 0.0f}, {40.0f, 22.5f}, white);
    addSprite({3.0f, 3.0f}, {1.0f, 1.0f}, white);
    addSprite({-3.0f, 3.0f}, {1.0f, 1.0f}, white);
    const auto frame = [&] {
        drawFrame();
        graphics->finishFrame();
    };
    // Left of the text, inside its backdrop.
    const glm::ivec2 corner{5, 700};
    frame();
    const glm::u8vec4 cornerOff = readPixel(corner.x, corner.y);
    const glm::u8vec4 middle = readPixel(640, 360);

    graphics->toggleFrameOverlay();
    for (int i = 0; i < 8; ++i) {
        frame();
        timing.endFrame();
    }
    frame();
    EXPECT_LT(brightness(readPixel(corner.x, corner.y)), brightness(cornerOff) / 2);
    EXPECT_EQ(readPixel(640, 360), middle);
    const OverlayFigures& shown = graphics->frameOverlay().figures();
    EXPECT_EQ(shown.entities, sceneEntities.size());
    EXPECT_EQ(shown.drawCalls, graphics->drawCallsLastFrame());
    EXPECT_GT(shown.drawCalls, 0u);
    EXPECT_GT(shown.timing.fps, 0.0f);
    EXPECT_GT(shown.timing.drawMs, 0.0f);

    graphics->toggleFrameOverlay();
    frame();
    EXPECT_EQ(readPixel(corner.x, corner.y), cornerOff);
}

} // namespace
} // namespace Qel
