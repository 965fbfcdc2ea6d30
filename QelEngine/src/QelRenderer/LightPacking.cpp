#include "QelRenderer/LightPacking.h"

#include "ECS/ComponentManager.h"
#include "ECS/Components/Light.h"
#include "ECS/Components/Transform.h"
#include "ECS/EntityManager.h"

#include <cmath>

namespace Qel {

LightBuffer packLights(const std::vector<Entity>& lightList, glm::vec2 cameraPosition,
                       glm::vec2 halfExtents) {
    LightBuffer buffer;
    EntityManager* entities = EntityManager::instance();
    ComponentManager* components = ComponentManager::instance();
    if (!entities || !components) return buffer;

    for (Entity entity : lightList) {
        if (buffer.count == kMaxPackedLights) break;
        if (entities->IsDisabled(entity)) continue;
        // A component can be removed before the systems are told; such entries are skipped.
        if (!components->HasComponent<Transform>(entity) || !components->HasComponent<Light>(entity))
            continue;
        const Transform& transform = components->GetComponent<Transform>(entity);
        const Light& light = components->GetComponent<Light>(entity);
        const glm::vec2 offset = glm::vec2(transform.position) - cameraPosition;
        // Negated so that a NaN position or range is never packed.
        if (!(std::abs(offset.x) < halfExtents.x + light.range) ||
            !(std::abs(offset.y) < halfExtents.y + light.range))
            continue;
        PackedLight& packed = buffer.lights[buffer.count++];
        packed.position = {transform.position.x, transform.position.y, light.height, 0.0f};
        packed.color = {light.color, 0.0f};
        packed.params = {light.range, light.intensity, light.attenuation, 0.0f};
    }
    return buffer;
}

} // namespace Qel
