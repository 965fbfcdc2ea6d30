#pragma once

#include <glm/vec2.hpp>

#include <cstdint>

struct GLFWwindow;

namespace Qel {

/// Bits of a key's state word. The low three are written by the callbacks during event polling;
/// ageInputStates() shifts them into the high three, which the queries read for the whole frame.
enum InputStateBit : uint32_t {
    INPUT_HELD = 1,
    INPUT_DOWN_EVENT = 2,
    INPUT_UP_EVENT = 4,
    INPUT_PRESSED = 8,
    INPUT_TRIGGERED = 16,
    INPUT_RELEASED = 32,
};

/// Empties the key-state table, fills it with the mouse buttons 0-7 and the key codes 32-96 and
/// 256-348 (all state 0) and zeroes the cursor position. Codes outside those ranges are never tracked.
void resetInputStates();

/// Start-up: resets the input state and installs the key, mouse-button and cursor-position
/// callbacks on the window.
void initializeInput(GLFWwindow* window);

/// The shared key and mouse-button handler: `code` is a GLFW key code or mouse-button number,
/// `action` GLFW's press, release or repeat. A code outside the table is reported and ignored.
void handleInputEvent(int code, int action);

/// The gamepad's presses and releases of the same codes. The pad's hold and the keyboard's or
/// mouse's are kept apart: a code stays held while either holds it, and a second holder adds
/// no new trigger.
void handleGamepadKey(int code, bool down);

/// Every held key and button let go, as if the player released them all.
void releaseHeldInputs();

/// The cursor-position handler: records the live position in screen coordinates.
void handleCursorMoved(double x, double y);

/// Moves the live cursor for the game itself (pad aim, menu navigation) and puts the system
/// pointer there too, so the player sees where it points. A position that is not finite is ignored.
void placeCursor(glm::dvec2 position);

/// The live cursor position, written during this frame's poll (not yet snapshotted).
glm::dvec2 getLiveCursorPosition();

/// Once per frame, right after event polling: moves this poll's events into the frame's
/// pressed/triggered/released bits and snapshots the cursor position.
void ageInputStates();

/// Went down during this frame's poll.
bool isKeyTriggered(int code);
/// Held as of this frame.
bool isKeyPressed(int code);
/// Went up during this frame's poll.
bool isKeyReleased(int code);

bool isAnyKeyTriggered();
bool isAnyKeyPressed();
bool isAnyKeyReleased();

/// Cursor position in window screen coordinates as of the last ageInputStates().
glm::dvec2 getCursorPosition();

} // namespace Qel
