// Pad states fed through the input layer, read back as the game reads keys and the cursor.
#include "QelCore/Gamepad.h"

#include "QelCore/Input.h"

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace Qel {
namespace {

class GamepadTest : public testing::Test {
protected:
    void SetUp() override {
        releaseGamepad();
        setGamepadAimCentre(std::nullopt);
        resetInputStates();
    }

    /// A pad at rest: sticks centred, triggers let go, no button down.
    static GLFWgamepadstate rest() {
        GLFWgamepadstate state{};
        state.axes[GLFW_GAMEPAD_AXIS_LEFT_TRIGGER] = state.axes[GLFW_GAMEPAD_AXIS_RIGHT_TRIGGER] = -1.0f;
        return state;
    }
    static GLFWgamepadstate stick(int xAxis, float x, float y) {
        GLFWgamepadstate state = rest();
        state.axes[xAxis] = x;
        state.axes[xAxis + 1] = y;
        return state;
    }
    /// Feeds one state and ages it into a frame, as the game loop does.
    static void frame(const GLFWgamepadstate& state) {
        feedGamepadState(state);
        ageInputStates();
    }
    static std::string held(std::initializer_list<int> codes) {
        std::string keys;
        for (int code : codes)
            keys += isKeyPressed(code) ? static_cast<char>(code) : '-';
        return keys;
    }
    static std::string frameState(int code) {
        return std::string(isKeyTriggered(code) ? "T" : "-") + (isKeyPressed(code) ? "P" : "-") +
               (isKeyReleased(code) ? "R" : "-");
    }
};

TEST_F(GamepadTest, TheLeftStickHoldsWASDPastItsDeadZoneInEightDirections) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const struct {
        float x, y;
        const char* keys;
    } rows[] = {{0.2f, 0.1f, "----"}, {0.3f, 0.0f, "---D"},  {0.0f, -0.9f, "W---"}, {-0.7f, 0.7f, "-AS-"},
                {0.9f, 0.3f, "---D"}, {0.7f, -0.7f, "W--D"}, {nan, 0.9f, "----"}};
    for (const auto& row : rows) {
        frame(stick(GLFW_GAMEPAD_AXIS_LEFT_X, row.x, row.y));
        EXPECT_EQ(held({GLFW_KEY_W, GLFW_KEY_A, GLFW_KEY_S, GLFW_KEY_D}), row.keys) << row.x << "," << row.y;
        frame(rest());
        EXPECT_FALSE(isAnyKeyPressed());
    }
}

TEST_F(GamepadTest, TriggerAndButtonsPressAndReleaseOnTheirEdges) {
    // The trigger pulls at 60 % of its travel (axis 0.2) and lets go below 40 % (axis -0.2); A
    // holds the same left button, so the button goes up only when both let go.
    const struct {
        float trigger;
        bool a, start;
        const char *swing, *pause;
    } rows[] = {{-1.0f, false, false, "---", "---"}, {0.1f, false, false, "---", "---"},
                {0.3f, false, true, "TP-", "TP-"},   {0.0f, false, true, "-P-", "-P-"},
                {-0.3f, false, false, "--R", "--R"}, {0.1f, false, false, "---", "---"},
                {-1.0f, true, false, "TP-", "---"},  {0.5f, true, false, "-P-", "---"},
                {0.5f, false, false, "-P-", "---"},  {-1.0f, false, false, "--R", "---"}};
    for (const auto& row : rows) {
        GLFWgamepadstate state = rest();
        state.axes[GLFW_GAMEPAD_AXIS_RIGHT_TRIGGER] = row.trigger;
        state.buttons[GLFW_GAMEPAD_BUTTON_A] = row.a ? GLFW_PRESS : GLFW_RELEASE;
        state.buttons[GLFW_GAMEPAD_BUTTON_START] = row.start ? GLFW_PRESS : GLFW_RELEASE;
        frame(state);
        EXPECT_EQ(frameState(GLFW_MOUSE_BUTTON_LEFT), row.swing) << row.trigger << " " << row.a;
        EXPECT_EQ(frameState(GLFW_KEY_ESCAPE), row.pause) << row.trigger << " " << row.start;
    }
}

TEST_F(GamepadTest, PadAndKeyboardHoldKeysApartAndADisconnectReleasesOnlyThePads) {
    handleInputEvent(GLFW_KEY_W, GLFW_PRESS);
    handleInputEvent(GLFW_KEY_SPACE, GLFW_PRESS);
    ageInputStates();
    GLFWgamepadstate state = stick(GLFW_GAMEPAD_AXIS_LEFT_X, 0.0f, -1.0f);
    state.buttons[GLFW_GAMEPAD_BUTTON_DPAD_LEFT] = state.buttons[GLFW_GAMEPAD_BUTTON_B] = GLFW_PRESS;
    frame(state);
    // Already held by the keyboard: the pad's push is no second trigger.
    EXPECT_EQ(frameState(GLFW_KEY_W), "-P-");
    EXPECT_EQ(frameState(GLFW_KEY_LEFT), "TP-");
    handleInputEvent(GLFW_KEY_W, GLFW_RELEASE);
    frame(state);
    EXPECT_EQ(frameState(GLFW_KEY_W), "-P-");

    handleInputEvent(GLFW_KEY_LEFT, GLFW_PRESS);
    releaseGamepad();
    ageInputStates();
    EXPECT_EQ(frameState(GLFW_KEY_W), "--R");
    EXPECT_EQ(frameState(GLFW_KEY_BACKSPACE), "--R");
    EXPECT_EQ(frameState(GLFW_KEY_LEFT), "-P-");
    EXPECT_EQ(frameState(GLFW_KEY_SPACE), "-P-");
}

TEST_F(GamepadTest, TheRightStickAimsTheCursorAroundTheCentreUntilTheMouseMoves) {
    // Without a window the pad aims in 1280 x 720, a quarter of the height (180 pixels) out.
    handleCursorMoved(5.0, 5.0);
    frame(stick(GLFW_GAMEPAD_AXIS_RIGHT_X, 0.2f, 0.0f));
    EXPECT_EQ(getCursorPosition(), glm::dvec2(5.0, 5.0));
    frame(stick(GLFW_GAMEPAD_AXIS_RIGHT_X, 0.0f, -0.5f));
    EXPECT_EQ(getCursorPosition(), glm::dvec2(640.0, 180.0));
    // At rest the aim is kept and follows the centre (the player walking).
    setGamepadAimCentre(glm::dvec2(100.0, 400.0));
    frame(stick(GLFW_GAMEPAD_AXIS_RIGHT_X, -0.6f, 0.8f));
    EXPECT_NEAR(getCursorPosition().x, 100.0 - 0.6 * 180.0, 1e-4);
    EXPECT_NEAR(getCursorPosition().y, 400.0 + 0.8 * 180.0, 1e-4);
    setGamepadAimCentre(glm::dvec2(300.0, 400.0));
    frame(rest());
    EXPECT_NEAR(getCursorPosition().x, 300.0 - 0.6 * 180.0, 1e-4);
    handleCursorMoved(7.0, 9.0);
    frame(rest());
    setGamepadAimCentre(glm::dvec2(500.0, 400.0));
    frame(rest());
    EXPECT_EQ(getCursorPosition(), glm::dvec2(7.0, 9.0));
}

} // namespace
} // namespace Qel
