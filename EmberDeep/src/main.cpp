#include "GameStates/CommonState.h"
#include "GameStates/GameStateIds.h"
#include "GameStates/GameState_Scene.h"
#include "GameStates/GameState_Splash.h"
#include "LaunchOptions.h"
#include "QelCore/GameStateManager.h"
#include "QelCore/InputRecording.h"
#include "QelCore/QelSystems.h"
#include "QelCore/WindowHandler.h"

#include <iostream>

namespace {

void noOperation() {}

} // namespace

int main(int argc, char** argv) {
    std::string error;
    const std::optional<LaunchOptions> options =
        parseLaunchOptions(std::vector<std::string>(argv + 1, argv + argc), error);
    if (!options) {
        std::cerr << "EmberDeep: " << error << '\n' << kUsage << std::endl;
        return 2;
    }

    if (!Qel::Systems::instance()) new Qel::Systems();
    Qel::WindowHandler::instance()->setTitle("Ember Deep");
    Qel::GameStateManager::setWindowFocusPauseCallback();
    if (options->record) Qel::startInputRecording(*options->record);
    if (options->replay) Qel::startInputReplay(*options->replay, options->screenshotFrame);

    gsSplashId = Qel::GameStateManager::addGameState(GS_COMMON::load, GS_SPLASH::init, GS_SPLASH::update,
                                                     noOperation, GS_COMMON::free, GS_COMMON::unload);
    gsSceneId = Qel::GameStateManager::addGameState(GS_COMMON::load, GS_SCENE::init, GS_SCENE::update,
                                                    noOperation, GS_COMMON::free, GS_COMMON::unload);

    Qel::GameStateManager::instance()->run(gsSplashId);
    Qel::stopInputRecording();
    delete Qel::Systems::instance();
    return 0;
}
