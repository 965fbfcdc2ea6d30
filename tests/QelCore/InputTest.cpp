// Keys, buttons and the cursor as the game reads them, from window events and pad states.
#include "QelCore/Input.h"

#include "LogSink.h"
#include "QelCore/Gamepad.h"

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace Qel {
namespace {

class InputTest : public testing::Test {
protected:
    void SetUp() override {
        releaseGamepad();
        setGamepadAimCentre(std::nullopt);
        resetInputStates();
    }

    /// Triggered, pressed and released, as a frame reads them.
    static std::string frameState(int code) {
        return std::string(isKeyTriggered(code) ? "T" : "-") + (isKeyPressed(code) ? "P" : "-") +
               (isKeyReleased(code) ? "R" : "-");
    }
    /// A stick pushed to (x, y), xAxis naming the stick. Triggers at 0 read as half pulled, which
    /// is no pull yet (some drivers report 0 until a trigger is first touched).
    static GLFWgamepadstate stick(int xAxis, float x, float y) {
        GLFWgamepadstate state{};
        state.axes[xAxis] = x;
        state.axes[xAxis + 1] = y;
        return state;
    }
    /// Feeds one pad state and ages it into a frame, as the game loop does.
    static void frame(const GLFWgamepadstate& state) {
        feedGamepadState(state);
        ageInputStates();
    }
};
using GamepadTest = InputTest;

TEST_F(InputTest, ATapIsTriggeredAndReleasedAHeldButtonPressedUntilReleasedTheCursorReadPerFrame) {
    handleInputEvent(GLFW_KEY_W, GLFW_PRESS);
    handleInputEvent(GLFW_KEY_W, GLFW_RELEASE);
    ageInputStates();
    EXPECT_EQ(frameState(GLFW_KEY_W), "T-R");
    EXPECT_TRUE(isAnyKeyReleased() && isAnyKeyTriggered());

    handleInputEvent(GLFW_MOUSE_BUTTON_LEFT, GLFW_PRESS);
    ageInputStates();
    EXPECT_EQ(frameState(GLFW_KEY_W) + frameState(GLFW_MOUSE_BUTTON_LEFT), "---TP-");
    // Key repeat and actions GLFW does not define keep it held without triggering it again.
    handleInputEvent(GLFW_MOUSE_BUTTON_LEFT, GLFW_REPEAT);
    handleInputEvent(GLFW_MOUSE_BUTTON_LEFT, 7);
    ageInputStates();
    EXPECT_EQ(frameState(GLFW_MOUSE_BUTTON_LEFT), "-P-");
    EXPECT_TRUE(isAnyKeyPressed() && !isAnyKeyTriggered());

    handleInputEvent(GLFW_MOUSE_BUTTON_LEFT, GLFW_RELEASE);
    ageInputStates();
    EXPECT_EQ(frameState(GLFW_MOUSE_BUTTON_LEFT), "--R");
    ageInputStates();
    EXPECT_FALSE(isAnyKeyPressed() || isAnyKeyReleased());

    // The cursor too is read from the frame's snapshot.
    handleCursorMoved(640.5, 360.25);
    EXPECT_EQ(getCursorPosition(), glm::dvec2(0.0, 0.0));
    ageInputStates();
    EXPECT_EQ(getCursorPosition(), glm::dvec2(640.5, 360.25));
    resetInputStates();
    ageInputStates();
    EXPECT_EQ(getCursorPosition(), glm::dvec2(0.0, 0.0));
}

TEST_F(InputTest, CodesOutsideTheTableAreReportedAndIgnored) {
    // Each range boundary: the tracked codes at its ends and the untracked ones beside them.
    const struct {
        int code;
        bool tracked;
    } rows[] = {{0, true},   {7, true},    {8, false},  {31, false},  {32, true},  {96, true},
                {97, false}, {255, false}, {256, true}, {348, true}, {349, false}, {GLFW_KEY_UNKNOWN, false}};
    for (const auto [code, tracked] : rows) {
        test::LogSink logged;
        handleInputEvent(code, GLFW_PRESS);
        ageInputStates();
        EXPECT_EQ(logged.contains("OUT OF RANGE BUTTON INPUT DETECTED!?"), !tracked) << code;
        EXPECT_EQ(frameState(code), tracked ? "TP-" : "---") << code;
    }
}

TEST_F(GamepadTest, TheLeftStickHoldsWASDPastItsDeadZoneInEightDirections) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const struct {
        float x, y;
        const char* keys;
    } rows[] = {{0.2f, 0.1f, "----"}, {0.3f, 0.0f, "---D"},  {0.0f, -0.9f, "W---"}, {-0.7f, 0.7f, "-AS-"},
                {0.9f, 0.3f, "---D"}, {0.7f, -0.7f, "W--D"}, {nan, 0.9f, "----"}};
    for (const auto& row : rows) {
        frame(stick(GLFW_GAMEPAD_AXIS_LEFT_X, row.x, row.y));
        std::string keys;
        for (char key : std::string("WASD"))
            keys += isKeyPressed(key) ? key : '-';
        EXPECT_EQ(keys, row.keys) << row.x << "," << row.y;
    }
}

TEST_F(GamepadTest, TriggerAndButtonsPressAndReleaseOnTheirEdges) {
    // The trigger pulls at 60 % of its travel (axis 0.2) and lets go below 40 % (axis -0.2); A
    // holds the same left button, so it goes up only when both let go. Start is Escape.
    constexpr int kNone = -1, kA = GLFW_GAMEPAD_BUTTON_A, kStart = GLFW_GAMEPAD_BUTTON_START;
    const struct {
        float trigger;
        int button;
        const char* swingAndPause;
    } rows[] = {{-1.0f, kNone, "------"}, {0.1f, kStart, "---TP-"}, {0.3f, kStart, "TP--P-"},
                {0.0f, kNone, "-P---R"},  {-0.3f, kNone, "--R---"}, {0.1f, kNone, "------"},
                {-1.0f, kA, "TP----"},    {0.5f, kA, "-P----"},     {0.5f, kNone, "-P----"},
                {-1.0f, kNone, "--R---"}};
    for (const auto& row : rows) {
        GLFWgamepadstate state{};
        state.axes[GLFW_GAMEPAD_AXIS_RIGHT_TRIGGER] = row.trigger;
        if (row.button >= 0) state.buttons[row.button] = GLFW_PRESS;
        frame(state);
        EXPECT_EQ(frameState(GLFW_MOUSE_BUTTON_LEFT) + frameState(GLFW_KEY_ESCAPE), row.swingAndPause)
            << row.trigger << " " << row.button;
    }
}

TEST_F(GamepadTest, PadAndKeyboardHoldKeysApartAndADisconnectReleasesOnlyThePads) {
    handleInputEvent(GLFW_KEY_W, GLFW_PRESS);
    ageInputStates();
    GLFWgamepadstate state = stick(GLFW_GAMEPAD_AXIS_LEFT_X, 0.0f, -1.0f);
    state.buttons[GLFW_GAMEPAD_BUTTON_DPAD_LEFT] = state.buttons[GLFW_GAMEPAD_BUTTON_B] = GLFW_PRESS;
    frame(state);
    // Already held by the keyboard: the pad's push is no second trigger, the keyboard's release
    // no release.
    EXPECT_EQ(frameState(GLFW_KEY_W) + frameState(GLFW_KEY_LEFT), "-P-TP-");
    handleInputEvent(GLFW_KEY_W, GLFW_RELEASE);
    handleInputEvent(GLFW_KEY_LEFT, GLFW_PRESS);
    frame(state);
    EXPECT_EQ(frameState(GLFW_KEY_W) + frameState(GLFW_KEY_LEFT), "-P--P-");
    releaseGamepad();
    ageInputStates();
    EXPECT_EQ(frameState(GLFW_KEY_W) + frameState(GLFW_KEY_BACKSPACE) + frameState(GLFW_KEY_LEFT),
              "--R--R-P-");
}

TEST_F(GamepadTest, TheRightStickAimsTheCursorAroundTheCentreUntilTheMouseMoves) {
    // Without a window the pad aims in 1280 x 720, a quarter of the height (180 pixels) out.
    handleCursorMoved(5.0, 5.0);
    frame(stick(GLFW_GAMEPAD_AXIS_RIGHT_X, 0.2f, 0.0f));
    EXPECT_EQ(getCursorPosition(), glm::dvec2(5.0, 5.0));
    frame(stick(GLFW_GAMEPAD_AXIS_RIGHT_X, 0.0f, -0.5f));
    EXPECT_EQ(getCursorPosition(), glm::dvec2(640.0, 180.0));
    // At rest the aim is kept and follows the centre (the player walking) until the mouse moves.
    setGamepadAimCentre(glm::dvec2(100.0, 400.0));
    frame(GLFWgamepadstate{});
    EXPECT_EQ(getCursorPosition(), glm::dvec2(100.0, 220.0));
    // A centre off every screen (a broken camera) leaves the cursor where it was.
    setGamepadAimCentre(glm::dvec2(std::numeric_limits<double>::quiet_NaN(), 0.0));
    frame(GLFWgamepadstate{});
    EXPECT_EQ(getCursorPosition(), glm::dvec2(100.0, 220.0));
    handleCursorMoved(7.0, 9.0);
    frame(GLFWgamepadstate{});
    EXPECT_EQ(getCursorPosition(), glm::dvec2(7.0, 9.0));
}

} // namespace
} // namespace Qel
