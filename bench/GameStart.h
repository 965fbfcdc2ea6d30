#pragma once

// The real game started as its entry point starts it, up to the end of its loading with the splash
// drawn meanwhile, for the benchmarks that time the shipped game. Needs an X display.
#include "GameStates/CommonState.h"
#include "GameStates/GameState_Splash.h"
#include "QelCore/LogManager.h"
#include "QelCore/QelSystems.h"
#include "QelCore/WindowHandler.h"

namespace Bench {

/// The engine with its content loaded; the caller deletes it.
inline Qel::Systems* startGameUntilLoaded() {
    auto* systems = new Qel::Systems();
    systems->logManager->setEchoPriority(Qel::LOG_CRITICAL);
    GS_COMMON::load();
    GS_SPLASH::init();
    while (!systems->pollLoading()) {
        GS_SPLASH::update();
        systems->windowHandler->swapBuffers();
        systems->windowHandler->pollEvents();
    }
    return systems;
}

} // namespace Bench
