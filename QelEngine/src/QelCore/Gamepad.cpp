#include "QelCore/Gamepad.h"

#include "QelCore/Input.h"
#include "QelCore/LogManager.h"
#include "QelCore/WindowHandler.h"

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>

#include <glm/geometric.hpp>

#include <array>
#include <cmath>

namespace Qel {

namespace {

constexpr int kPadKeyCount = 11;
enum PadRow : int {
    StickUp,
    StickLeft,
    StickDown,
    StickRight,
    PadUp,
    PadDown,
    PadLeft,
    PadRight,
    Swing,
    Back,
    Pause
};

// The code each row holds, in PadRow order.
constexpr std::array<int, kPadKeyCount> kPadKeys = {
    GLFW_KEY_W,         GLFW_KEY_A,     GLFW_KEY_S,
    GLFW_KEY_D,         GLFW_KEY_UP,    GLFW_KEY_DOWN,
    GLFW_KEY_LEFT,      GLFW_KEY_RIGHT, GLFW_MOUSE_BUTTON_LEFT,
    GLFW_KEY_BACKSPACE, GLFW_KEY_ESCAPE};

// Digital buttons straight onto their rows.
constexpr struct {
    int button;
    PadRow row;
} kButtonRows[] = {{GLFW_GAMEPAD_BUTTON_DPAD_UP, PadUp},     {GLFW_GAMEPAD_BUTTON_DPAD_DOWN, PadDown},
                   {GLFW_GAMEPAD_BUTTON_DPAD_LEFT, PadLeft}, {GLFW_GAMEPAD_BUTTON_DPAD_RIGHT, PadRight},
                   {GLFW_GAMEPAD_BUTTON_A, Swing},           {GLFW_GAMEPAD_BUTTON_B, Back},
                   {GLFW_GAMEPAD_BUTTON_START, Pause}};

// cos 67.5 degrees: a stick within 22.5 degrees of an axis holds that axis's key alone, so the
// eight directions get equal sectors.
constexpr float kDiagonalShare = 0.38268343f;

constexpr uint32_t bit(PadRow row) {
    return 1u << row;
}

uint32_t stickKeys(glm::vec2 stick) {
    const float length = glm::length(stick);
    // Also false for a NaN from a broken driver: such a stick rests.
    if (!(length > kStickDeadZone)) return 0;
    const float share = kDiagonalShare * length;
    uint32_t held = 0;
    if (stick.y < -share) held |= bit(StickUp);
    if (stick.y > share) held |= bit(StickDown);
    if (stick.x < -share) held |= bit(StickLeft);
    if (stick.x > share) held |= bit(StickRight);
    return held;
}

// The one pad that plays: a GLFW joystick id, or -1.
int activePad = -1;
PadReading last;
// The pad moves the cursor from the first push of its right stick until something else moves it.
bool ownsCursor = false;
glm::dvec2 placed{0.0, 0.0};
std::optional<glm::dvec2> aimCentre;

glm::dvec2 windowSize() {
    const WindowHandler* window = WindowHandler::instance();
    const glm::ivec2 size = window ? window->getCurrentSize()
                                   : glm::ivec2(WindowHandler::kDefaultWidth, WindowHandler::kDefaultHeight);
    return glm::dvec2(size);
}

void apply(const PadReading& next) {
    const uint32_t changed = last.held ^ next.held;
    for (int row = 0; row < kPadKeyCount; ++row) {
        if (changed & (1u << row)) handleGamepadKey(kPadKeys[row], (next.held & (1u << row)) != 0);
    }
    // The mouse or a menu moved the cursor since the pad placed it: the cursor is theirs again.
    if (ownsCursor && getLiveCursorPosition() != placed) ownsCursor = false;
    if (next.aiming) ownsCursor = true;
    if (ownsCursor) {
        const glm::dvec2 size = windowSize();
        const glm::dvec2 point =
            aimCentre.value_or(size * 0.5) + glm::dvec2(next.aim) * (kAimRadius * size.y);
        if (point != getLiveCursorPosition()) placeCursor(point);
        placed = point;
    }
    last = next;
}

int findPad(int skipped) {
    for (int id = GLFW_JOYSTICK_1; id <= GLFW_JOYSTICK_LAST; ++id) {
        if (id != skipped && glfwJoystickIsGamepad(id)) return id;
    }
    return -1;
}

void choosePad(int id) {
    activePad = id;
    if (id < 0) return;
    const char* name = glfwGetGamepadName(id);
    logf(LOG_LOW, "Gamepad %d connected: %s", id, name ? name : "(no name)");
}

void joystickCallback(int id, int event) {
    if (event == GLFW_CONNECTED && activePad < 0 && glfwJoystickIsGamepad(id)) {
        choosePad(id);
    } else if (event == GLFW_DISCONNECTED && id == activePad) {
        logf(LOG_LOW, "Gamepad %d disconnected", id);
        releaseGamepad();
        choosePad(findPad(id));
    }
}

} // namespace

PadReading readPad(const PadReading& previous, const GLFWgamepadstate& current) {
    PadReading reading;
    reading.held =
        stickKeys({current.axes[GLFW_GAMEPAD_AXIS_LEFT_X], current.axes[GLFW_GAMEPAD_AXIS_LEFT_Y]});
    for (const auto& mapping : kButtonRows) {
        if (current.buttons[mapping.button] == GLFW_PRESS) reading.held |= bit(mapping.row);
    }
    // Triggers run from -1 at rest to +1 pulled fully.
    const float pull = (current.axes[GLFW_GAMEPAD_AXIS_RIGHT_TRIGGER] + 1.0f) * 0.5f;
    reading.triggerPulled = pull >= (previous.triggerPulled ? kTriggerRelease : kTriggerPress);
    if (reading.triggerPulled) reading.held |= bit(Swing);

    const glm::vec2 stick{current.axes[GLFW_GAMEPAD_AXIS_RIGHT_X], current.axes[GLFW_GAMEPAD_AXIS_RIGHT_Y]};
    const float length = glm::length(stick);
    reading.aiming = length > kStickDeadZone && std::isfinite(length);
    reading.aim = reading.aiming ? stick / length : previous.aim;
    return reading;
}

void initializeGamepad() {
    last = PadReading{};
    ownsCursor = false;
    aimCentre.reset();
    glfwSetJoystickCallback(joystickCallback);
    choosePad(findPad(-1));
}

void pollGamepad() {
    if (activePad < 0) return;
    GLFWgamepadstate state;
    if (glfwGetGamepadState(activePad, &state)) {
        feedGamepadState(state);
    } else {
        releaseGamepad();
        choosePad(findPad(activePad));
    }
}

void feedGamepadState(const GLFWgamepadstate& state) {
    apply(readPad(last, state));
}

void releaseGamepad() {
    ownsCursor = false;
    PadReading rest;
    rest.aim = last.aim;
    apply(rest);
}

void setGamepadAimCentre(std::optional<glm::dvec2> pixels) {
    aimCentre = pixels;
}

} // namespace Qel
