#pragma once

#include "ECS/System/ISystem.h"

#include <glm/vec2.hpp>

namespace Qel {

/// Makes UI entities clickable: every frame the buttons under the cursor show their click colour
/// and tell their animator ("OnMouseHover", else "OnMouseExit"); a left click queues the click
/// sound for the audio manager and broadcasts the button's "OnClick" message. Disabled entities
/// and disabled buttons are left alone. Its TypeName text is "ButtonSystem".
class ButtonSystem : public ISystem {
public:
    /// The sound of a click, played in the menu-effect group.
    static constexpr const char* kClickSound = "ClickingButtons/ButtonPress";

    /// Sets the signature {Button, UITransform, SpriteRenderer}; the types must be registered.
    void Load() override;
    /// Every button shows its rest colour.
    void Initialize() override;
    /// The frame's cursor and left click against the window's current size.
    void Update(float dt) override;
    /// One frame of hovering and clicking for a cursor at cursorPixels (window pixels, origin top
    /// left) in a window of windowSize pixels. A window without area (minimised) changes nothing.
    void pointAt(glm::ivec2 windowSize, glm::vec2 cursorPixels, bool clicked);
    void EntitySignatureChanged(Entity entity) override { DefaultEntityTest(entity); }
    void Unload() override { entities.clear(); }
};

} // namespace Qel
