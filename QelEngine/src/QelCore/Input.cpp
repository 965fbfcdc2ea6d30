#include "QelCore/Input.h"

#include "QelCore/Gamepad.h"
#include "QelCore/InputRecording.h"
#include "QelCore/WindowHandler.h"

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>

#include <algorithm>
#include <cmath>
#include <iostream>
#include <unordered_map>

namespace Qel {

namespace {

// Main thread only: written by the GLFW callbacks inside event polling, read by the frame.
std::unordered_map<int, uint32_t> keyStates;
// Who holds each code now: a code is released only when its last holder lets go.
enum Holder : uint8_t { kDeviceHolder = 1, kGamepadHolder = 2 };
std::unordered_map<int, uint8_t> holders;
glm::dvec2 liveCursor{0.0, 0.0};
glm::dvec2 cursorSnapshot{0.0, 0.0};

void insertCodes(int first, int last) {
    for (int code = first; code <= last; ++code) keyStates.emplace(code, 0u);
}

bool hasState(int code, uint32_t bit) {
    const auto found = keyStates.find(code);
    return found != keyStates.end() && (found->second & bit) != 0;
}

bool anyHasState(uint32_t bit) {
    return std::any_of(keyStates.begin(), keyStates.end(),
                       [bit](const auto& entry) { return (entry.second & bit) != 0; });
}

void buttonEvent(int code, int action) {
    if (admitWindowInput(RecordedEvent{RecordedEvent::Kind::Button, code, action, {}}))
        handleInputEvent(code, action);
}

void keyCallback(GLFWwindow*, int key, int, int action, int) {
    buttonEvent(key, action);
}

void mouseButtonCallback(GLFWwindow*, int button, int action, int) {
    buttonEvent(button, action);
}

void cursorPositionCallback(GLFWwindow*, double x, double y) {
    if (admitWindowInput(RecordedEvent{RecordedEvent::Kind::Cursor, 0, 0, {x, y}})) handleCursorMoved(x, y);
}

} // namespace

void resetInputStates() {
    keyStates.clear();
    holders.clear();
    insertCodes(GLFW_MOUSE_BUTTON_1, GLFW_MOUSE_BUTTON_LAST);
    insertCodes(GLFW_KEY_SPACE, GLFW_KEY_GRAVE_ACCENT);
    insertCodes(GLFW_KEY_ESCAPE, GLFW_KEY_LAST);
    liveCursor = cursorSnapshot = {0.0, 0.0};
}

void initializeInput(GLFWwindow* window) {
    resetInputStates();
    glfwSetKeyCallback(window, keyCallback);
    glfwSetMouseButtonCallback(window, mouseButtonCallback);
    glfwSetCursorPosCallback(window, cursorPositionCallback);
    initializeGamepad();
}

namespace {

void applyEvent(int code, int action, Holder holder) {
    const auto found = keyStates.find(code);
    if (found == keyStates.end()) {
        std::cout << "OUT OF RANGE BUTTON INPUT DETECTED!? input code " << code
                  << " is not in the key-state table" << std::endl;
        return;
    }
    uint32_t& state = found->second;
    uint8_t& held = holders[code];
    switch (action) {
    case GLFW_RELEASE:
        held &= ~holder;
        if (held != 0) break;
        // A tap shorter than one frame keeps its down event: the frame then reads it as
        // triggered and released, so a quick click or key press is never lost at a low frame rate.
        state = (state & ~INPUT_HELD) | INPUT_UP_EVENT;
        break;
    case GLFW_PRESS:
        if (held == 0) state |= INPUT_HELD | INPUT_DOWN_EVENT;
        held |= holder;
        break;
    case GLFW_REPEAT:
        state |= INPUT_HELD;
        held |= holder;
        break;
    default:
        break;
    }
}

} // namespace

void handleInputEvent(int code, int action) {
    applyEvent(code, action, kDeviceHolder);
}

void handleGamepadKey(int code, bool down) {
    // Recorded like the window's buttons; a replay feeds them back as such.
    const int action = down ? GLFW_PRESS : GLFW_RELEASE;
    if (admitWindowInput(RecordedEvent{RecordedEvent::Kind::Button, code, action, {}}))
        applyEvent(code, action, kGamepadHolder);
}

void releaseHeldInputs() {
    for (auto& [code, state] : keyStates) {
        if (!(state & INPUT_HELD)) continue;
        holders[code] = 0;
        state = (state & ~INPUT_HELD) | INPUT_UP_EVENT;
    }
}

void handleCursorMoved(double x, double y) {
    liveCursor = {x, y};
}

void placeCursor(glm::dvec2 position) {
    // Nowhere on screen (a broken camera or layout): the pointer stays where it is.
    if (!std::isfinite(position.x) || !std::isfinite(position.y)) return;
    if (!admitWindowInput(RecordedEvent{RecordedEvent::Kind::Cursor, 0, 0, position})) return;
    liveCursor = position;
    // GLFW reports no cursor movement for its own warp, so this position stays the live one.
    if (const WindowHandler* window = WindowHandler::instance())
        glfwSetCursorPos(window->getWindow(), position.x, position.y);
}

glm::dvec2 getLiveCursorPosition() {
    return liveCursor;
}

void ageInputStates() {
    for (auto& entry : keyStates) {
        uint32_t state = (entry.second << 3) & 63u;
        if (state & INPUT_PRESSED) state |= INPUT_HELD;
        entry.second = state;
    }
    cursorSnapshot = liveCursor;
}

bool isKeyTriggered(int code) {
    return hasState(code, INPUT_TRIGGERED);
}

bool isKeyPressed(int code) {
    return hasState(code, INPUT_PRESSED);
}

bool isKeyReleased(int code) {
    return hasState(code, INPUT_RELEASED);
}

bool isAnyKeyTriggered() {
    return anyHasState(INPUT_TRIGGERED);
}

bool isAnyKeyPressed() {
    return anyHasState(INPUT_PRESSED);
}

bool isAnyKeyReleased() {
    return anyHasState(INPUT_RELEASED);
}

glm::dvec2 getCursorPosition() {
    return cursorSnapshot;
}

} // namespace Qel
