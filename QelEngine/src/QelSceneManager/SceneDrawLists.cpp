#include "QelSceneManager/SceneDrawLists.h"

namespace Qel {

bool SceneDrawLists::List::add(Entity entity) {
    if (!members.insert(entity).second) return false;
    entries.emplace_back(entity, true);
    return true;
}

void SceneDrawLists::List::remove(Entity entity) {
    if (members.erase(entity) == 0) return;
    std::erase_if(entries, [entity](const EntityHandle& entry) { return entry.first == entity; });
}

void SceneDrawLists::remove(Entity entity) {
    world.remove(entity);
    ui.remove(entity);
}

void SceneDrawLists::clear() {
    world = {};
    ui = {};
}

} // namespace Qel
