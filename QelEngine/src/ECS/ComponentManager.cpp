#include "ECS/ComponentManager.h"

namespace Qel {

void ComponentManager::EntityDestroyed(Entity entity) {
    for (auto& [name, array] : componentArrays)
        array->EntityDestroyed(entity);
}

void ComponentManager::logUnregistered(const char* name) {
    logf(LOG_HIGH, "Component type %s is not registered", name ? name : "(null)");
}

} // namespace Qel
