#pragma once

#include "ECS/System/ISystem.h"

namespace Qel {

/// Rebuilds the model matrix of every entity with a Transform once per frame. Its TypeName text
/// is "TransformSystem".
class TransformSystem : public ISystem {
public:
    /// Sets the signature {Transform}; the Transform component type must be registered.
    void Load() override;
    void Initialize() override {}
    void Update(float dt) override;
    void EntitySignatureChanged(Entity entity) override { DefaultEntityTest(entity); }
};

} // namespace Qel
