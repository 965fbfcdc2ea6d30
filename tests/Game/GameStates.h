#pragma once

// The game's two states registered as its entry registers them, with the splash's and the scene's
// update (and the scene's init) replaced by a test's own where it needs to watch or steer the game.
#include "Files.h"
#include "World.h"
#include "GameStates/CommonState.h"
#include "GameStates/GameStateIds.h"
#include "GameStates/GameState_Scene.h"
#include "GameStates/GameState_Splash.h"
#include "QelCore/GameStateManager.h"
#include "QelCore/Input.h"
#include "QelCore/QelSystems.h"
#include "QelCore/WindowHandler.h"

#include <GL/glew.h> // before GLFW, which would bring in gl.h
#include <GLFW/glfw3.h>
#include <glm/vec2.hpp>
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>

namespace Qel::test {

inline void registerGameStates(StateFunction splashUpdate = GS_SPLASH::update,
                               StateFunction sceneUpdate = GS_SCENE::update,
                               StateFunction sceneInit = GS_SCENE::init) {
    const auto nothing = [] {};
    gsSplashId = GameStateManager::addGameState(GS_COMMON::load, GS_SPLASH::init, splashUpdate, nothing,
                                                GS_COMMON::free, GS_COMMON::unload);
    gsSceneId = GameStateManager::addGameState(GS_COMMON::load, sceneInit, sceneUpdate, nothing,
                                               GS_COMMON::free, GS_COMMON::unload);
}

/// The whole game from start-up through the splash to shutdown, in this process.
inline void playGame(StateFunction splashUpdate, StateFunction sceneUpdate = GS_SCENE::update,
                     StateFunction sceneInit = GS_SCENE::init) {
    new Systems();
    registerGameStates(splashUpdate, sceneUpdate, sceneInit);
    GameStateManager::instance()->run(gsSplashId);
    delete Systems::instance();
}

/// A window small enough that drawing every frame of a long run costs little.
inline constexpr glm::ivec2 kQuickWindow{160, 90};

/// The shipped game, run from a folder beside its Assets and Defaults: through the splash (a key
/// pressed every ten frames until it hands over, as a player would) into sceneUpdate's scenes,
/// each started by sceneInit. The user's configuration asks for a window of windowSize pixels and
/// no frame cap: a test's frames take only what drawing them takes.
inline void playShippedGame(StateFunction sceneUpdate, StateFunction sceneInit = GS_SCENE::init,
                            glm::ivec2 windowSize = {1280, 720}) {
    Sandbox user("EmberDeep");
    writeText(user / "configs/config.json",
              "{\"CFGVersion\": 1, \"WindowWidth\": " + std::to_string(windowSize.x) +
                  ", \"WindowHeight\": " + std::to_string(windowSize.y) + ", \"FramerateCap\": 0}");
    Sandbox tree("game");
    enterShippedGame(tree);
    static int splashFrames;
    static std::chrono::steady_clock::time_point splashStart;
    splashFrames = 0;
    splashStart = std::chrono::steady_clock::now();
    // The press arrives with the next frame's events.
    playGame(
        [] {
            GS_SPLASH::update();
            if (++splashFrames % 10 == 0) handleInputEvent(GLFW_KEY_SPACE, GLFW_PRESS);
            if (splashFrames % 10 == 1) handleInputEvent(GLFW_KEY_SPACE, GLFW_RELEASE);
            if (std::chrono::steady_clock::now() - splashStart > std::chrono::seconds(60)) {
                ADD_FAILURE() << "the splash never handed over";
                glfwSetWindowShouldClose(WindowHandler::instance()->getWindow(), GLFW_TRUE);
            }
        },
        sceneUpdate, sceneInit);
}

} // namespace Qel::test
