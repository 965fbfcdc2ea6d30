#pragma once

// The game's two states registered as its entry registers them, with the splash's and the scene's
// update replaced by a test's own where it needs to watch or steer the game.
#include "GameStates/CommonState.h"
#include "GameStates/GameStateIds.h"
#include "GameStates/GameState_Scene.h"
#include "GameStates/GameState_Splash.h"
#include "QelCore/GameStateManager.h"
#include "QelCore/QelSystems.h"

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

} // namespace Qel::test
