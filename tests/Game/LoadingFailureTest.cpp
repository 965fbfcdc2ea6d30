// The real game with a picture in Assets/Art that cannot be loaded: the texture worker's strong
// assertion must end the game from the main thread, with exit code 187 and the line in the saved log.
#include "GameStates.h"
#include "QelCore/WindowHandler.h"

#include "Display.h"
#include "Files.h"

#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

int splashFrames = 0;

/// The splash, closing the window if the loading never fails (the game would then exit 0).
void splashUpdateGivingUp() {
    GS_SPLASH::update();
    if (++splashFrames == 600)
        glfwSetWindowShouldClose(Qel::WindowHandler::instance()->getWindow(), GLFW_TRUE);
}

void runTheGame() {
    Qel::test::playGame(splashUpdateGivingUp);
    std::exit(0);
}

struct BrokenPicture {
    int channels;
    bool truncated;
    const char* assertion;
};

TEST(LoadingFailureTest, ABrokenPictureEndsTheGameWithCode187AndTheAssertionInTheSavedLog) {
    QEL_SKIP_WITHOUT_DISPLAY();
    const fs::path dump = fs::path(std::getenv("XDG_DATA_HOME")) / "EmberDeep/logs/log_latest.txt";
    const std::array<BrokenPicture, 2> cases{{
        {2, false, "Texture has invalid number of channels! Supported are: 3 & 4"}, // grey + alpha
        {4, true, "Unable to read texture: ../Assets/Art/Broken.png"},
    }};
    for (const BrokenPicture& broken : cases) {
        SCOPED_TRACE(broken.assertion);
        // The death-test child runs this body again up to the statement, so this setup is repeatable.
        fs::remove(dump);
        Qel::test::Sandbox tree("broken-art");
        fs::copy(fs::path(QEL_SOURCE_DIR) / "Assets", tree / "Assets", fs::copy_options::recursive);
        fs::create_directory_symlink(fs::path(QEL_SOURCE_DIR) / "Defaults", tree / "Defaults");
        const fs::path png = tree / "Assets/Art/Broken.png";
        Qel::test::writePng(png, 16, 16, broken.channels, std::vector<uint8_t>(16 * 16 * 4));
        if (broken.truncated) fs::resize_file(png, fs::file_size(png) / 2);
        tree.enter("run");

        EXPECT_EXIT(runTheGame(), testing::ExitedWithCode(187), "");
        const std::string log = Qel::test::readText(dump);
        EXPECT_NE(log.find(std::string("[CRITICAL] [STRONG ASSERT TRIGGERED] ") + broken.assertion),
                  std::string::npos)
            << log;
    }
}

} // namespace
