#include "QelSceneManager/SceneDrawLists.h"

namespace Qel {

bool SceneDrawLists::List::add(Entity entity) {
    if (!members.insert(entity).second) return false;
    entries.emplace_back(entity, true);
    return true;
}

void SceneDrawLists::clear() {
    world = {};
    ui = {};
}

} // namespace Qel
