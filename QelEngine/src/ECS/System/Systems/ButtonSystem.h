#pragma once

#include "ECS/System/ISystem.h"

namespace Qel {

/// Makes UI entities clickable: every frame the buttons under the cursor show their click colour
/// and tell their animator ("OnMouseHover", else "OnMouseExit"); a left click queues the click
/// sound for the audio manager and broadcasts the button's "OnClick" message. Disabled entities
/// and disabled buttons are left alone. Its TypeName text is "ButtonSystem".
class ButtonSystem : public ISystem {
public:
    /// Sets the signature {Button, UITransform, SpriteRenderer}; the types must be registered.
    void Load() override;
    /// Every button shows its rest colour.
    void Initialize() override;
    void Update(float dt) override;
    void EntitySignatureChanged(Entity entity) override { DefaultEntityTest(entity); }
    void Unload() override { entities.clear(); }
};

} // namespace Qel
