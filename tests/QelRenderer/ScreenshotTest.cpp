#include "FrameTestSupport.h"
#include "LogSink.h"

#include "QelCore/FileHelper.h"
#include "QelRenderer/ScreenshotCapture.h"
#include "QelRenderer/Texture.h"

#include <GL/glew.h>
#include <gmock/gmock.h>

#include <chrono>
#include <regex>
#include <thread>

namespace Qel {
namespace {

using test::FrameTest;
namespace fs = std::filesystem;

/// Finishes frames (without a swap, so the back buffer keeps the frame) until `count` screenshots
/// have been logged, for at most about five seconds. Returns the log's screenshot lines.
std::vector<std::string> finishUntilLogged(test::LogSink& logged, size_t count) {
    for (int i = 0; i < 500 && logged.count("Screenshot ") < count; ++i) {
        GraphicsEngine::instance()->finishFrame();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    std::vector<std::string> lines;
    for (const test::LogSink::Line& line : logged.lines())
        if (line.text.starts_with("Screenshot ")) lines.push_back(line.text);
    return lines;
}

TEST_F(FrameTest, F12SavesTheWindowPixelsAsAPngNamedByTheTime) {
    const FileHelper files;
    addSprite({0.0f, 0.0f}, {6.0f, 4.0f}, solidTexture("red", {255, 0, 0, 255}));
    addSprite({-9.0f, 5.0f}, {2.0f, 2.0f}, solidTexture("blue", {0, 0, 255, 255}));
    drawFrame();
    std::vector<uint8_t> window(1280 * 720 * 4);
    glReadPixels(0, 0, 1280, 720, GL_RGBA, GL_UNSIGNED_BYTE, window.data());

    test::LogSink logged;
    for (int shot = 0; shot < 2; ++shot) {
        graphics->requestScreenshot();
        graphics->finishFrame();
    }
    const std::vector<std::string> lines = finishUntilLogged(logged, 2);
    ASSERT_EQ(lines.size(), 2u) << logged.take();
    const std::regex saved("Screenshot saved to (.*/EmberDeep/screenshots/"
                           "(\\d{4}-\\d\\d-\\d\\d_\\d\\d-\\d\\d-\\d\\d)(_2)?\\.png)");
    std::smatch first, second;
    ASSERT_TRUE(std::regex_match(lines[0], first, saved)) << lines[0];
    ASSERT_TRUE(std::regex_match(lines[1], second, saved)) << lines[1];
    EXPECT_EQ(second[3].matched, first[2] == second[2]) << "a second shot of the same second is counted";

    // Loaded bottom row first, as GL reads the window.
    const test::Image png = test::readPng(first[1].str(), 3, true);
    ASSERT_EQ(glm::ivec2(png.width, png.height), glm::ivec2(1280, 720)) << first[1];
    int differing = 0;
    for (int i = 0; i < png.width * png.height; ++i)
        for (int c = 0; c < 3; ++c)
            differing += std::abs(png.pixels[i * 3 + c] - window[i * 4 + c]) > 1;
    EXPECT_EQ(differing, 0);
    EXPECT_GT(window[(360 * 1280 + 640) * 4], 200) << "the scene was drawn";
}

TEST_F(FrameTest, AScreenshotThatCannotBeWrittenIsLoggedWithItsReason) {
    test::Sandbox folder("shots");
    test::writeText(folder / "taken", "a file where the folder should be");
    test::LogSink logged;
    {
        ScreenshotCapture capture(folder / "taken" / "screenshots");
        capture.request();
        capture.endFrame({64, 32});
    }
    EXPECT_THAT(logged.take(), testing::HasSubstr("Screenshot could not be saved to " +
                                                  (folder / "taken" / "screenshots").string()));
    EXPECT_TRUE(fs::is_regular_file(folder / "taken"));
}

} // namespace
} // namespace Qel
