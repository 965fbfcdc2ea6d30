#include "GameStates/CommonState.h"
#include "GameStates/GameStateIds.h"
#include "GameStates/GameState_Scene.h"
#include "GameStates/GameState_Splash.h"
#include "QelCore/GameStateManager.h"
#include "QelCore/QelSystems.h"
#include "QelCore/WindowHandler.h"

namespace {

void noOperation() {}

} // namespace

int main() {
    if (!Qel::Systems::instance()) new Qel::Systems();
    Qel::WindowHandler::instance()->setTitle("Ember Deep");
    Qel::GameStateManager::setWindowFocusPauseCallback();

    gsSplashId = Qel::GameStateManager::addGameState(GS_COMMON::load, GS_SPLASH::init, GS_SPLASH::update,
                                                     noOperation, GS_COMMON::free, GS_COMMON::unload);
    gsSceneId = Qel::GameStateManager::addGameState(GS_COMMON::load, GS_SCENE::init, GS_SCENE::update,
                                                    noOperation, GS_COMMON::free, GS_COMMON::unload);

    Qel::GameStateManager::instance()->run(gsSplashId);
    delete Qel::Systems::instance();
    return 0;
}
