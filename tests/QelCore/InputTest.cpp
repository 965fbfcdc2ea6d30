#include "QelCore/Input.h"

#include "LogSink.h"

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <string>

namespace Qel {
namespace {

class InputTest : public testing::Test {
protected:
    void SetUp() override { resetInputStates(); }

    /// Triggered, pressed and released, as a frame reads them.
    static std::string frameState(int code) {
        return std::string(isKeyTriggered(code) ? "T" : "-") + (isKeyPressed(code) ? "P" : "-") +
               (isKeyReleased(code) ? "R" : "-");
    }
};

TEST_F(InputTest, ATapWithinOnePollReadsAsTriggeredAndReleased) {
    handleInputEvent(GLFW_KEY_W, GLFW_PRESS);
    handleInputEvent(GLFW_KEY_W, GLFW_RELEASE);
    ageInputStates();
    EXPECT_EQ(frameState(GLFW_KEY_W), "T-R");
    EXPECT_TRUE(isAnyKeyReleased());
    EXPECT_TRUE(isAnyKeyTriggered());
    ageInputStates();
    EXPECT_EQ(frameState(GLFW_KEY_W), "---");
}

TEST_F(InputTest, HeldButtonIsTriggeredOnceAndPressedUntilReleased) {
    handleInputEvent(GLFW_MOUSE_BUTTON_LEFT, GLFW_PRESS);
    ageInputStates();
    EXPECT_EQ(frameState(GLFW_MOUSE_BUTTON_LEFT), "TP-");
    EXPECT_TRUE(isAnyKeyTriggered());
    ageInputStates();
    EXPECT_EQ(frameState(GLFW_MOUSE_BUTTON_LEFT), "-P-");
    // Key repeat and actions GLFW does not define keep it held without triggering it again.
    handleInputEvent(GLFW_MOUSE_BUTTON_LEFT, GLFW_REPEAT);
    handleInputEvent(GLFW_MOUSE_BUTTON_LEFT, 7);
    ageInputStates();
    EXPECT_EQ(frameState(GLFW_MOUSE_BUTTON_LEFT), "-P-");
    EXPECT_TRUE(isAnyKeyPressed());
    EXPECT_FALSE(isAnyKeyTriggered());

    handleInputEvent(GLFW_MOUSE_BUTTON_LEFT, GLFW_RELEASE);
    ageInputStates();
    EXPECT_EQ(frameState(GLFW_MOUSE_BUTTON_LEFT), "--R");
    ageInputStates();
    EXPECT_FALSE(isAnyKeyPressed() || isAnyKeyReleased());
}

TEST_F(InputTest, CodesOutsideTheTableAreReportedAndIgnored) {
    // Each range boundary: the tracked codes at its ends and the untracked ones beside them.
    for (int tracked : {0, 7, 32, 96, 256, 348})
        handleInputEvent(tracked, GLFW_PRESS);
    for (int untracked : {GLFW_KEY_UNKNOWN, 8, 31, 97, 255, 349}) {
        test::LogSink logged;
        handleInputEvent(untracked, GLFW_PRESS);
        EXPECT_NE(logged.take().find("OUT OF RANGE BUTTON INPUT DETECTED!?"), std::string::npos);
    }
    ageInputStates();
    for (int tracked : {0, 7, 32, 96, 256, 348})
        EXPECT_EQ(frameState(tracked), "TP-") << tracked;
    for (int untracked : {GLFW_KEY_UNKNOWN, 8, 31, 97, 255, 349})
        EXPECT_EQ(frameState(untracked), "---");
}

TEST_F(InputTest, CursorPositionIsReadFromTheFrameSnapshot) {
    handleCursorMoved(640.5, 360.25);
    EXPECT_EQ(getCursorPosition(), glm::dvec2(0.0, 0.0));
    ageInputStates();
    EXPECT_EQ(getCursorPosition(), glm::dvec2(640.5, 360.25));
    resetInputStates();
    ageInputStates();
    EXPECT_EQ(getCursorPosition(), glm::dvec2(0.0, 0.0));
}

} // namespace
} // namespace Qel
