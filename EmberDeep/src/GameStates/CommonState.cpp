#include "GameStates/CommonState.h"

#include "ECS/SceneEntities.h"
#include "ECS/System/SystemManager.h"

namespace GS_COMMON {

void load() {
    if (Qel::SystemManager* systems = Qel::SystemManager::instance()) systems->LoadAll();
}

void unload() {
    if (Qel::SystemManager* systems = Qel::SystemManager::instance()) systems->UnloadAll();
}

void free() {
    Qel::DestroyAllSceneEntities();
}

} // namespace GS_COMMON
