#include "QelRenderer/SpriteRendereSystem.h"

#include "ECS/ComponentManager.h"
#include "ECS/Components/SpriteRenderer.h"
#include "ECS/Components/Transform.h"
#include "QelCore/StrongAssert.h"
#include "QelRenderer/GraphicsEngine.h"

#include <algorithm>

namespace Qel {

void SpriteRendereSystem::Load() {
    ComponentManager* components = ComponentManager::instance();
    QEL_ASSERT(components, "Component Manager not ready!");
    const ComponentType sprite = components->GetComponentType<SpriteRenderer>();
    const ComponentType transform = components->GetComponentType<Transform>();
    // An unregistered type has no bit; an empty signature would instead match every entity.
    QEL_ASSERT(sprite < MAX_COMPONENTS && transform < MAX_COMPONENTS,
               "SpriteRendereSystem needs the SpriteRenderer and Transform components registered");
    signature = Signature{}.set(sprite).set(transform);
}

void SpriteRendereSystem::Initialize() {
    drawFrame();
}

void SpriteRendereSystem::Update(float) {
    drawFrame();
}

void SpriteRendereSystem::EntitySignatureChanged(Entity entity) {
    const bool match = DefaultEntityTest(entity);
    const auto found = std::find(layerOrdered.begin(), layerOrdered.end(), entity);
    if (match && found == layerOrdered.end()) {
        layerOrdered.push_back(entity);
        sortByLayer();
    } else if (!match && found != layerOrdered.end()) {
        layerOrdered.erase(found);
    }
}

void SpriteRendereSystem::Unload() {
    entities.clear();
    layerOrdered.clear();
}

void SpriteRendereSystem::sortByLayer() {
    ComponentManager* components = ComponentManager::instance();
    // Every listed entity matches the signature, so it has a SpriteRenderer.
    std::sort(layerOrdered.begin(), layerOrdered.end(), [components](Entity a, Entity b) {
        return components->GetComponent<SpriteRenderer>(a).layerNum <
               components->GetComponent<SpriteRenderer>(b).layerNum;
    });
}

void SpriteRendereSystem::drawFrame() {
    sortByLayer();
    if (GraphicsEngine* graphics = GraphicsEngine::instance()) graphics->Draw(layerOrdered);
}

} // namespace Qel
