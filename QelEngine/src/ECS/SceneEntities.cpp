#include "ECS/SceneEntities.h"

#include "ECS/ComponentManager.h"
#include "ECS/EntityManager.h"
#include "ECS/System/SystemManager.h"

#include <iostream>
#include <utility>

namespace Qel {

namespace {

// The order matters: components first, then the id, then the systems, which by then read an
// empty signature and drop the entity.
void destroyEntity(Entity entity) {
    if (ComponentManager* components = ComponentManager::instance()) components->EntityDestroyed(entity);
    if (EntityManager* entities = EntityManager::instance()) entities->DestroyEntity(entity);
    if (SystemManager* systems = SystemManager::instance()) systems->NotifyEntityChanged(entity);
}

} // namespace

void DestroyObject(EntityHandle handle) {
    if (!handle.second) {
        std::cout << "Object does not exist!" << std::endl;
        return;
    }
    sceneEntities.erase(handle.first);
    destroyEntity(handle.first);
    std::cout << "Object Deleted" << std::endl;
}

void DestroyAllSceneEntities() {
    // Taken out first: a system reacting to a destruction may destroy or create scene entities,
    // which must not disturb this walk. Entities created meanwhile stay in the set.
    const std::unordered_set<Entity> doomed = std::exchange(sceneEntities, {});
    for (Entity entity : doomed)
        destroyEntity(entity);
}

} // namespace Qel
