#pragma once

#include "ComponentJson.h"

#include <string>

namespace ContentGen {

/// Text cells (Text "alignment") the menus use.
inline constexpr int kTopCentre = 1;
inline constexpr int kTopRight = 2;
inline constexpr int kMiddleLeft = 3;
inline constexpr int kCentred = 4;

/// The controls page of the title and the pause menu: the game's real controls.
inline constexpr const char* kControlsText =
    "\nHow to Play\n\nW A S D  or  arrow keys   move\nMouse   aim the hammer\n"
    "Left click   swing\nEsc   pause\n\nGamepad: left stick move, right stick aim,\n"
    "A or right trigger swing, Start pause, B back\n\nKeep the embers burning.";

/// A menu button: the shared slab with its own box, label and message.
JsonValue menuButton(const std::string& name, const UiBox& box, const std::string& label,
                     const std::string& onClick, bool disabled = false, int textSize = 40);
/// A framed panel with its own box; `extra` holds further components (a Text, say).
JsonValue panel(const std::string& name, const UiBox& box, JsonValue extra, bool disabled);
/// A text without a frame.
JsonValue textBox(const std::string& name, const UiBox& box, const std::string& content, int size,
                  Colour4 colour, int alignment, bool disabled = false);

} // namespace ContentGen
