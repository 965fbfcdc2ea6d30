#pragma once

#include <glm/vec2.hpp>

#include <cstdint>
#include <optional>

struct GLFWgamepadstate;

namespace Qel {

/// The pad's part of the input: the engine key codes it holds and where its right stick aims.
/// A pad plays through the keys and the cursor the game already reads, so content needs no change.
struct PadReading {
    /// One bit per key code the pad can hold.
    uint32_t held = 0;
    /// The right trigger counts as pulled (it has its own hysteresis).
    bool triggerPulled = false;
    /// The right stick is out of its dead zone this frame.
    bool aiming = false;
    /// Unit aim direction in window axes (x right, y down); kept while the stick rests.
    glm::vec2 aim{1.0f, 0.0f};
};

/// Sticks inside this share of their travel count as at rest.
constexpr float kStickDeadZone = 0.25f;
/// The right trigger pulls the swing at this share of its travel and lets go below the lower one,
/// so a trigger resting near a threshold cannot chatter.
constexpr float kTriggerPress = 0.6f;
constexpr float kTriggerRelease = 0.4f;
/// The aim point's distance from the aim centre, as a share of the window's height.
constexpr float kAimRadius = 0.25f;

/// The pad's reading for its state `current`, given the reading of the frame before (the trigger
/// hysteresis and the resting aim carry over). Left stick: W A S D in eight directions; d-pad:
/// the arrow keys; A or the right trigger: the left mouse button; B: Backspace (back in menus);
/// Start: Escape.
PadReading readPad(const PadReading& previous, const GLFWgamepadstate& current);

/// Start-up: finds a connected pad and watches pads come and go. Needs GLFW initialised.
void initializeGamepad();

/// Once per frame, after event polling and before ageInputStates(): feeds the active pad's state
/// through the input layer. Without a pad it returns at once.
void pollGamepad();

/// Feeds one pad state through the input layer as pollGamepad does: the keys whose hold changed
/// are pressed or released, and the cursor follows the aim while the pad owns it.
void feedGamepadState(const GLFWgamepadstate& state);

/// The pad went away: every key it held is released.
void releaseGamepad();

/// The point the right stick aims around, in window pixels (the player on screen); without one
/// the window's centre.
void setGamepadAimCentre(std::optional<glm::dvec2> pixels);

} // namespace Qel
