#include "GameStates/GameState_Scene.h"

#include "ECS/System/SystemManager.h"
#include "QelCore/FrameRateController.h"

namespace GS_SCENE {

void init() {
    if (Qel::SystemManager* systems = Qel::SystemManager::instance()) systems->InitializeAll();
}

void update() {
    Qel::SystemManager* systems = Qel::SystemManager::instance();
    Qel::FrameRateController* timing = Qel::FrameRateController::instance();
    if (systems && timing) systems->UpdateAll(timing->getDeltaTime());
}

} // namespace GS_SCENE
