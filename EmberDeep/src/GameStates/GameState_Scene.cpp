#include "GameStates/GameState_Scene.h"

#include "GameStates/CommonState.h"
#include "GameStates/GameStateIds.h"
#include "QelCore/GameStateManager.h"
#include "QelCore/LogManager.h"
#include "QelSceneManager/QelSceneManager.h"
#include "data/JSON.h"

namespace GS_SCENE {

namespace {

bool loadNextScene() {
    Qel::SceneManager* scenes = Qel::SceneManager::instance();
    if (!scenes) return false;
    Qel::JSON doc;
    return scenes->getScene(doc) && scenes->loadScene(doc);
}

} // namespace

void init() {
    if (!loadNextScene()) {
        Qel::log(Qel::LOG_CRITICAL, "Could not load next scene! Soft restarting!");
        Qel::setNextGameState(gsSplashId);
        return;
    }
    GS_COMMON::startScene({0.2f, 0.3f, 0.3f, 1.0f});
}

void update() {
    GS_COMMON::updateSystems();
}

} // namespace GS_SCENE
