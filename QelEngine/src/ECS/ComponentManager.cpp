#include "ECS/ComponentManager.h"

namespace Qel {

size_t nextComponentSlot() {
    // Slots are handed out the first time each type is used, possibly on a loading worker.
    static std::atomic<size_t> next{0};
    return next++;
}

void ComponentManager::EntityDestroyed(Entity entity) {
    for (auto& [name, array] : componentArrays)
        array->EntityDestroyed(entity);
}

void ComponentManager::logUnregistered(const char* name) {
    logf(LOG_HIGH, "Component type %s is not registered", name ? name : "(null)");
}

} // namespace Qel
