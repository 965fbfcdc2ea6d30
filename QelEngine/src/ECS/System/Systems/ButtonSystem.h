#pragma once

#include "ECS/System/ISystem.h"

#include <glm/vec2.hpp>

namespace Qel {

/// Makes UI entities clickable: every frame the buttons under the cursor show their click colour
/// and tell their animator ("OnMouseHover", else "OnMouseExit"); a left click queues the click
/// sound for the audio manager and broadcasts the button's "OnClick" message. Disabled entities
/// and disabled buttons are left alone. Keys drive the same cursor: the arrows or W A S D move it
/// onto the next button in their direction and Enter clicks. Its TypeName text is "ButtonSystem".
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
    /// One navigation step (a unit vector, +y up): puts the cursor on the centre of the next shown,
    /// enabled button in that direction from the button under the cursor, or on the button
    /// nearest the cursor when it is over none. The buttons react to it from the next frame.
    void navigate(glm::ivec2 windowSize, glm::vec2 cursorPixels, glm::vec2 step);
    void EntitySignatureChanged(Entity entity) override { DefaultEntityTest(entity); }
    void Unload() override { entities.clear(); }
};

} // namespace Qel
