#include "ECS/System/SystemManager.h"

namespace Qel {

SystemManager::~SystemManager() {
    systemsByName.clear();
    while (!systems.empty())
        systems.pop_back();
}

void SystemManager::LoadAll() {
    for (auto& [name, system] : systems)
        system->Load();
}

void SystemManager::InitializeAll() {
    for (auto& [name, system] : systems)
        system->Initialize();
}

void SystemManager::UpdateAll(float dt) {
    for (auto& [name, system] : systems)
        system->Update(dt);
}

void SystemManager::UnloadAll() {
    for (auto& [name, system] : systems)
        system->Unload();
}

void SystemManager::NotifyEntityChanged(Entity entity) {
    for (auto& [name, system] : systems)
        system->EntitySignatureChanged(entity);
}

} // namespace Qel
