#include "ECS/System/Systems/MenuEntities.h"

#include "ECS/EntityManager.h"
#include "ECS/SceneEntities.h"
#include "QelCore/LogManager.h"
#include "QelSceneManager/QelSceneManager.h"
#include "data/JSON.h"
#include "data/NameHash.h"

#include <algorithm>
#include <fstream>

namespace Qel {

bool MenuEntities::open(const std::filesystem::path& file) {
    JSON doc;
    std::ifstream in(file);
    doc.parse(in);
    if (!doc.isParsed()) {
        log(LOG_HIGH, "Unable to get pause menu manager file");
        return false;
    }
    close();
    SceneManager* scenes = SceneManager::instance();
    EntityManager* entityManager = EntityManager::instance();
    if (!scenes || !entityManager) {
        log(LOG_HIGH, "Unable to open pause menu");
        return false;
    }
    for (const JSONArr::iter& object : doc.getArray("gameObjects")) {
        if (entityManager->LivingCount() >= MAX_ENTITIES) {
            log(LOG_CRITICAL, "Entity limit reached: the menu is built only in part");
            break;
        }
        const EntityHandle handle =
            scenes->buildGameObject(object, SceneManager::WithoutComponents::KeepPrefabOnes);
        if (handle.second) built.push_back(handle.first);
    }
    return true;
}

void MenuEntities::close() {
    EntityManager* entityManager = EntityManager::instance();
    SceneManager* scenes = SceneManager::instance();
    for (Entity entity : built) {
        if (!entityManager || !entityManager->Exists(entity)) continue;
        DestroyObject({entity, true});
        if (scenes) scenes->drawLists.remove(entity);
    }
    built.clear();
}

void bindSlots(std::span<const char* const> names, std::span<Entity> slots,
               std::span<const Entity> candidates) {
    std::fill(slots.begin(), slots.end(), MAX_ENTITIES);
    EntityManager* entityManager = EntityManager::instance();
    if (!entityManager) return;
    for (Entity entity : candidates) {
        const EntityInfo* info = entityManager->GetInfo(entity);
        if (!info) continue;
        const uint64_t key = hashName(info->name);
        for (size_t i = 0; i < names.size() && i < slots.size(); ++i)
            if (hashName(names[i]) == key) slots[i] = entity;
    }
}

void showSlots(std::span<const Entity> slots, bool shown) {
    EntityManager* entityManager = EntityManager::instance();
    if (!entityManager) return;
    for (Entity entity : slots) {
        EntityInfo* info = entityManager->GetInfo(entity);
        if (!info) continue;
        if (shown) {
            info->flags &= static_cast<uint8_t>(~EntityInfo::kDisabled);
        } else {
            info->flags |= EntityInfo::kDisabled;
        }
    }
}

bool isShown(Entity slot) {
    EntityManager* entityManager = EntityManager::instance();
    return entityManager && entityManager->Exists(slot) && !entityManager->IsDisabled(slot);
}

} // namespace Qel
