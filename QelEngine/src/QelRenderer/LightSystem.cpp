#include "QelRenderer/LightSystem.h"

#include "ECS/ComponentManager.h"
#include "ECS/Components/Light.h"
#include "ECS/Components/Transform.h"
#include "QelCore/StrongAssert.h"

#include <algorithm>

namespace Qel {

void LightSystem::Load() {
    ComponentManager* components = ComponentManager::instance();
    QEL_ASSERT(components, "Component Manager not ready!");
    const ComponentType light = components->GetComponentType<Light>();
    const ComponentType transform = components->GetComponentType<Transform>();
    // An unregistered type has no bit; an empty signature would instead match every entity.
    QEL_ASSERT(light < MAX_COMPONENTS && transform < MAX_COMPONENTS,
               "LightSystem needs the Light and Transform components registered");
    signature = Signature{}.set(light).set(transform);
}

void LightSystem::EntitySignatureChanged(Entity entity) {
    const bool match = DefaultEntityTest(entity);
    const auto found = std::find(lightList.begin(), lightList.end(), entity);
    if (match && found == lightList.end()) {
        lightList.push_back(entity);
    } else if (!match && found != lightList.end()) {
        lightList.erase(found);
    }
}

void LightSystem::Unload() {
    entities.clear();
    lightList.clear();
}

} // namespace Qel
