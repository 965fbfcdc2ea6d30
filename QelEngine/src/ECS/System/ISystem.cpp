#include "ECS/System/ISystem.h"

#include "ECS/EntityManager.h"

namespace Qel {

bool ISystem::Matches(Entity entity) const {
    EntityManager* manager = EntityManager::instance();
    return (manager ? manager->GetSignature(entity) : Signature{}).contains(signature);
}

bool ISystem::DefaultEntityTest(Entity entity) {
    const bool match = Matches(entity);
    if (match) {
        entities.insert(entity);
    } else {
        entities.erase(entity);
    }
    return match;
}

} // namespace Qel
