#pragma once

// The game's two states registered as its entry registers them, with the splash's and the scene's
// update replaced by a test's own where it needs to watch or steer the game.
#include "Files.h"
#include "GameStates/CommonState.h"
#include "GameStates/GameStateIds.h"
#include "GameStates/GameState_Scene.h"
#include "GameStates/GameState_Splash.h"
#include "QelCore/GameStateManager.h"
#include "QelCore/Input.h"
#include "QelCore/QelSystems.h"

#include <GL/glew.h> // before GLFW, which would bring in gl.h
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <filesystem>

namespace Qel::test {

inline void registerGameStates(StateFunction splashUpdate = GS_SPLASH::update,
                               StateFunction sceneUpdate = GS_SCENE::update) {
    const auto nothing = [] {};
    gsSplashId = GameStateManager::addGameState(GS_COMMON::load, GS_SPLASH::init, splashUpdate, nothing,
                                                GS_COMMON::free, GS_COMMON::unload);
    gsSceneId = GameStateManager::addGameState(GS_COMMON::load, GS_SCENE::init, sceneUpdate, nothing,
                                               GS_COMMON::free, GS_COMMON::unload);
}

/// The whole game from start-up through the splash to shutdown, in this process.
inline void playGame(StateFunction splashUpdate, StateFunction sceneUpdate = GS_SCENE::update) {
    new Systems();
    registerGameStates(splashUpdate, sceneUpdate);
    GameStateManager::instance()->run(gsSplashId);
    delete Systems::instance();
}

/// Makes `tree` a game folder whose Assets and Defaults are the repository's and enters its run
/// folder, as the shipped game is started.
inline void enterShippedGame(Sandbox& tree) {
    for (const char* folder : {"Assets", "Defaults"})
        std::filesystem::create_directory_symlink(std::filesystem::path(QEL_SOURCE_DIR) / folder,
                                                  tree / folder);
    tree.enter("run");
}

/// The shipped game, run from a folder beside its Assets and Defaults: through the splash (a key
/// pressed every ten frames until it hands over, as a player would) into sceneUpdate's scenes.
inline void playShippedGame(StateFunction sceneUpdate) {
    Sandbox tree("game");
    enterShippedGame(tree);
    static int splashFrames;
    splashFrames = 0;
    // The press arrives with the next frame's events.
    playGame(
        [] {
            GS_SPLASH::update();
            if (++splashFrames % 10 == 0) handleInputEvent(GLFW_KEY_SPACE, GLFW_PRESS);
            if (splashFrames % 10 == 1) handleInputEvent(GLFW_KEY_SPACE, GLFW_RELEASE);
            ASSERT_LT(splashFrames, 3000) << "the splash never handed over";
        },
        sceneUpdate);
}

} // namespace Qel::test
