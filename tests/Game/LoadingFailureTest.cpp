// The real game with a picture in Assets/Art that cannot be loaded: the texture worker's strong
// assertion must end the game from the main thread, with exit code 187 and the line in the saved log.
#include "GameStates/CommonState.h"
#include "GameStates/GameStateIds.h"
#include "GameStates/GameState_Scene.h"
#include "GameStates/GameState_Splash.h"
#include "QelCore/GameStateManager.h"
#include "QelCore/QelSystems.h"
#include "QelCore/WindowHandler.h"

#include <GLFW/glfw3.h>
#include <gtest/gtest.h>
#include <stb_image_write.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;

int splashFrames = 0;

/// The splash, closing the window if the loading never fails (the game would then exit 0).
void splashUpdateGivingUp() {
    GS_SPLASH::update();
    if (++splashFrames == 600)
        glfwSetWindowShouldClose(Qel::WindowHandler::instance()->getWindow(), GLFW_TRUE);
}

void noOperation() {}

void runTheGame() {
    new Qel::Systems();
    gsSplashId = Qel::GameStateManager::addGameState(GS_COMMON::load, GS_SPLASH::init, splashUpdateGivingUp,
                                                     noOperation, GS_COMMON::free, GS_COMMON::unload);
    gsSceneId = Qel::GameStateManager::addGameState(GS_COMMON::load, GS_SCENE::init, GS_SCENE::update,
                                                    noOperation, GS_COMMON::free, GS_COMMON::unload);
    Qel::GameStateManager::instance()->run(gsSplashId);
    delete Qel::Systems::instance();
    std::exit(0);
}

struct BrokenPicture {
    int channels;
    bool truncated;
    const char* assertion;
};

TEST(LoadingFailureTest, ABrokenPictureEndsTheGameWithCode187AndTheAssertionInTheSavedLog) {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no X display";
    const fs::path original = fs::current_path();
    const fs::path tree = fs::path(std::getenv("XDG_DATA_HOME")) / "broken-art";
    const fs::path dump = fs::path(std::getenv("XDG_DATA_HOME")) / "EmberDeep/logs/log_latest.txt";
    const std::array<BrokenPicture, 2> cases{{
        {2, false, "Texture has invalid number of channels! Supported are: 3 & 4"}, // grey + alpha
        {4, true, "Unable to read texture: ../Assets/Art/Broken.png"},
    }};
    for (const BrokenPicture& broken : cases) {
        SCOPED_TRACE(broken.assertion);
        // The death-test child runs this body again up to the statement, so this setup is repeatable.
        fs::remove_all(tree);
        fs::remove(dump);
        fs::create_directories(tree / "run");
        fs::copy(fs::path(QEL_SOURCE_DIR) / "Assets", tree / "Assets", fs::copy_options::recursive);
        fs::create_directory_symlink(fs::path(QEL_SOURCE_DIR) / "Defaults", tree / "Defaults");
        const fs::path png = tree / "Assets/Art/Broken.png";
        const std::array<uint8_t, 16 * 16 * 4> pixels{};
        ASSERT_NE(stbi_write_png(png.c_str(), 16, 16, broken.channels, pixels.data(), 16 * broken.channels),
                  0);
        if (broken.truncated) fs::resize_file(png, fs::file_size(png) / 2);
        fs::current_path(tree / "run");

        EXPECT_EXIT(runTheGame(), testing::ExitedWithCode(187), "");
        fs::current_path(original);
        std::ifstream saved(dump);
        std::stringstream log;
        log << saved.rdbuf();
        EXPECT_NE(log.str().find(std::string("[CRITICAL] [STRONG ASSERT TRIGGERED] ") + broken.assertion),
                  std::string::npos)
            << log.str();
    }
}

} // namespace
