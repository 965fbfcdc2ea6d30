#include "QelCore/Input.h"

#include "QelCore/InputRecording.h"

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>

#include <algorithm>
#include <iostream>
#include <unordered_map>

namespace Qel {

namespace {

// Main thread only: written by the GLFW callbacks inside event polling, read by the frame.
std::unordered_map<int, uint32_t> keyStates;
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
}

void handleInputEvent(int code, int action) {
    const auto found = keyStates.find(code);
    if (found == keyStates.end()) {
        std::cout << "OUT OF RANGE BUTTON INPUT DETECTED!? input code " << code
                  << " is not in the key-state table" << std::endl;
        return;
    }
    uint32_t& state = found->second;
    switch (action) {
    case GLFW_RELEASE:
        // A tap shorter than one frame keeps its down event: the frame then reads it as
        // triggered and released, so a quick click or key press is never lost at a low frame rate.
        state = (state & ~INPUT_HELD) | INPUT_UP_EVENT;
        break;
    case GLFW_PRESS:
        state |= INPUT_HELD | INPUT_DOWN_EVENT;
        break;
    case GLFW_REPEAT:
        state |= INPUT_HELD;
        break;
    default:
        break;
    }
}

void releaseHeldInputs() {
    for (auto& [code, state] : keyStates)
        if (state & INPUT_HELD) handleInputEvent(code, GLFW_RELEASE);
}

void handleCursorMoved(double x, double y) {
    liveCursor = {x, y};
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
