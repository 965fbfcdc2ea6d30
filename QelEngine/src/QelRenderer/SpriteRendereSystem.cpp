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
    // The entity set mirrors the list, so membership is a hash look-up rather than a walk. A new
    // entity only joins the list: every draw sorts first, so a scene of thousands of entities is
    // sorted once, not once per entity.
    const bool listed = entities.contains(entity);
    const bool match = DefaultEntityTest(entity);
    if (match && !listed) {
        layerOrdered.push_back(entity);
    } else if (!match && listed) {
        layerOrdered.erase(std::find(layerOrdered.begin(), layerOrdered.end(), entity));
    }
}

void SpriteRendereSystem::Unload() {
    entities.clear();
    layerOrdered.clear();
}

void SpriteRendereSystem::sortByLayer() {
    ComponentManager* components = ComponentManager::instance();
    // Each layer is read once, not twice per comparison. Every listed entity matches the
    // signature, so it has a SpriteRenderer.
    keyed.clear();
    for (Entity entity : layerOrdered)
        keyed.emplace_back(components->GetComponent<SpriteRenderer>(entity).layerNum, entity);
    std::sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (size_t i = 0; i < keyed.size(); ++i)
        layerOrdered[i] = keyed[i].second;
}

void SpriteRendereSystem::drawFrame() {
    sortByLayer();
    if (GraphicsEngine* graphics = GraphicsEngine::instance()) graphics->Draw(layerOrdered);
}

} // namespace Qel
