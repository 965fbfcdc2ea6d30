#include "QelCore/Cursors.h"

#include "QelCore/StrongAssert.h"
#include "QelCore/WindowHandler.h"
#include "data/AssetManager.h"
#include "messaging/MessageManager.h"

#include "Display.h"
#include "Files.h"

#include <gtest/gtest.h>
#include <stb_image_write.h>

#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace Qel {
namespace {

class CursorsTest : public testing::Test {
protected:
    void writeText(const std::string& relative, const std::string& text) {
        test::writeText(folder / relative, text);
    }

    void writeImage(const std::string& relative, int size) {
        const std::vector<unsigned char> pixels(static_cast<size_t>(size * size * 4), 200);
        if (!relative.ends_with("JPG")) return test::writePng(folder / relative, size, size, 4, pixels);
        fs::create_directories((folder / relative).parent_path());
        ASSERT_TRUE(stbi_write_jpg((folder / relative).c_str(), size, size, 4, pixels.data(), 90));
    }

    const test::Sandbox sandbox{"cursors"};
    const fs::path folder = sandbox.path();
};

TEST_F(CursorsTest, HotSpotsOutsideTheImageOrUnreadableBecomeZeroLoadingNeedsTheAssetManager) {
    const std::vector<std::pair<std::string, glm::ivec2>> cases{
        {R"({"offsetX": 32, "offsetY": 7})", {32, 7}},   {R"({"offsetX": 40, "offsetY": 40})", {0, 0}},
        {R"({"offsetX": -5, "offsetY": 3})", {0, 3}},    {R"({"offsetY": 9})", {0, 9}},
        {R"({"offsetX": 4.0, "offsetY": "6"})", {0, 0}}, {"{offsetX: 4", {0, 0}},
    };
    for (const auto& [text, expected] : cases) {
        writeText("hot.json", text);
        EXPECT_EQ(readCursorHotSpot(folder / "hot.json", 32, 32), expected) << text;
    }
    EXPECT_EQ(readCursorHotSpot(folder / "missing.json", 32, 32), glm::ivec2(0, 0));
    EXPECT_EXIT(loadCursors("."), testing::ExitedWithCode(static_cast<unsigned char>(kStrongAssertExitCode)),
                "AssetManager not initialized");
}

TEST_F(CursorsTest, LoadsUsableImagesAndPurgesTheRest) {
    QEL_SKIP_WITHOUT_DISPLAY();
    MessageManager messages;
    WindowHandler window;
    AssetManager assets;
    writeImage("arrow.png", 32);
    // The X server refuses a hot spot beyond the image, and the refusal ends the program.
    writeText("arrow.json", R"({"offsetX": 40, "offsetY": 40})");
    writeImage("hand/point.JPG", 16);
    writeText("hand/point.json", R"({"offsetX": -3, "offsetY": 2})");
    writeImage("default.png", 8);
    writeImage("twin.png", 8);
    writeImage("twin.PNG", 8);
    writeText("broken.png", "not an image");

    EXPECT_EQ(loadCursors(folder), 4u);
    for (const char* name : {"arrow", "hand/point", "twin"})
        EXPECT_NE(findCursor(hashName(name)), nullptr);
    EXPECT_EQ(assets.findRegistry<cursorWrapper>()->get(hashName("broken")), nullptr);
    // "default" means the standard arrow even when a cursor carries that name.
    EXPECT_NE(assets.findRegistry<cursorWrapper>()->get(hashName("default")), nullptr);
    EXPECT_EQ(findCursor(hashName("default")), nullptr);

    window.setCursor(hashName("arrow"));
    window.setCursor(hashName("unknown"));
    window.pollEvents();
    window.setCursor(hashName("default"));
    destroyCursors();
    EXPECT_EQ(findCursor(hashName("arrow")), nullptr);
}

} // namespace
} // namespace Qel
