#pragma once

#include "ECS/System/ISystem.h"

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
    /// Appends a newly matching entity (then re-sorts); removes a leaver, keeping the order.
    void EntitySignatureChanged(Entity entity) override;
    void Unload() override;

    /// The drawable entities by ascending SpriteRenderer.layerNum; equal layers in no set order.
    const std::vector<Entity>& drawList() const { return layerOrdered; }

private:
    void sortByLayer();
    void drawFrame();

    std::vector<Entity> layerOrdered;
};

} // namespace Qel
