#include "ECS/EntityManager.h"

#include "QelCore/LogManager.h"

namespace Qel {

EntityManager::EntityManager() {
    for (Entity id = 0; id < MAX_ENTITIES; ++id)
        available.push_back(id);
    entities.reserve(MAX_ENTITIES);
}

Entity EntityManager::CreateEntity() {
    if (livingCount >= MAX_ENTITIES || available.empty()) {
        log(LOG_CRITICAL, "Trying to Instantiate over Entity limit");
        return MAX_ENTITIES;
    }
    const Entity id = available.front();
    available.pop_front();
    entities.emplace(id, EntityInfo{});
    lastLookup = nullptr;
    ++livingCount;
    return id;
}

void EntityManager::DestroyEntity(Entity entity) {
    // Freeing an id that is not alive would queue it twice and later hand it to two entities.
    if (livingCount == 0 || entity >= MAX_ENTITIES || entities.erase(entity) == 0) {
        log(LOG_LOW, "No entity to destroy or invalid entity ID!");
        return;
    }
    lastLookup = nullptr;
    available.push_back(entity);
    --livingCount;
}

EntityInfo* EntityManager::GetInfo(Entity entity) {
    if (lastLookup && lastLookupEntity == entity) return lastLookup;
    auto found = entities.find(entity);
    if (found == entities.end()) return nullptr;
    lastLookupEntity = entity;
    lastLookup = &found->second;
    return lastLookup;
}

bool EntityManager::Exists(Entity entity) {
    return GetInfo(entity) != nullptr;
}

Signature EntityManager::GetSignature(Entity entity) {
    const EntityInfo* info = GetInfo(entity);
    return info ? info->signature : Signature{};
}

bool EntityManager::IsDisabled(Entity entity) {
    const EntityInfo* info = GetInfo(entity);
    return info && (info->flags & EntityInfo::kDisabled);
}

} // namespace Qel
