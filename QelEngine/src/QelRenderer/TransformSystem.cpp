#include "QelRenderer/TransformSystem.h"

#include "ECS/ComponentManager.h"
#include "ECS/Components/ModelMatrix.h"
#include "ECS/Components/Transform.h"
#include "QelCore/StrongAssert.h"

namespace Qel {

void TransformSystem::Load() {
    ComponentManager* components = ComponentManager::instance();
    QEL_ASSERT(components, "Component Manager not ready!");
    const ComponentType transform = components->GetComponentType<Transform>();
    // An unregistered type has no bit; an empty signature would instead match every entity.
    QEL_ASSERT(transform < MAX_COMPONENTS, "TransformSystem needs the Transform component registered");
    signature = Signature{}.set(transform);
}

void TransformSystem::Update(float) {
    ComponentManager* components = ComponentManager::instance();
    if (!components) return;
    for (Entity entity : entities)
        refreshModelMatrix(components->GetComponent<Transform>(entity));
}

} // namespace Qel
