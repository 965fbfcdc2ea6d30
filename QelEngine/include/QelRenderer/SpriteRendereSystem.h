#pragma once

#include "ECS/System/ISystem.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace Qel {

/// Keeps the entities that have a SpriteRenderer and a Transform ordered by layer (lowest first)
/// and draws the frame through the GraphicsEngine from Initialize and every Update. Its TypeName
/// text is "SpriteRendereSystem".
class SpriteRendereSystem : public ISystem {
public:
    /// Sets the signature {SpriteRenderer, Transform}; both component types must be registered.
    void Load() override;
    /// Both sort the list and draw one frame.
    void Initialize() override;
    void Update(float dt) override;
    /// Appends a newly matching entity (the next draw sorts it in); removes a leaver, keeping the
    /// order.
    void EntitySignatureChanged(Entity entity) override;
    void Unload() override;

    /// The drawable entities by ascending SpriteRenderer.layerNum as of the last draw (entities
    /// added since are at the end); equal layers in no set order.
    const std::vector<Entity>& drawList() const { return layerOrdered; }

private:
    void sortByLayer();
    void drawFrame();

    std::vector<Entity> layerOrdered;
    /// The sort's scratch: (layer, entity) pairs, kept to reuse its storage.
    std::vector<std::pair<int32_t, Entity>> keyed;
};

} // namespace Qel
