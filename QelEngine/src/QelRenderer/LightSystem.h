#pragma once

#include "ECS/System/ISystem.h"

#include <vector>

namespace Qel {

/// Keeps the entities that have a Light and a Transform, in the order they became lights; the
/// renderer packs them from this list each frame. Its TypeName text is "LightSystem".
class LightSystem : public ISystem {
public:
    /// Sets the signature {Light, Transform}; both component types must be registered.
    void Load() override;
    void Initialize() override {}
    void Update(float) override {}
    /// Appends a newly matching entity, removes one that no longer matches; order is kept.
    void EntitySignatureChanged(Entity entity) override;
    void Unload() override;

    const std::vector<Entity>& lights() const { return lightList; }

private:
    std::vector<Entity> lightList;
};

} // namespace Qel
