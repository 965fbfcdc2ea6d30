// Recording and replaying a run's input: the file reads back as written and a broken one says
// why; a recorded run replays its events, time steps and seed instead of the window's input and
// then hands control back; a file that cannot be read or written leaves the game running as usual.
#include "Files.h"
#include "LogSink.h"

#include "QelCore/FrameRateController.h"
#include "QelCore/GameStateManager.h"
#include "QelCore/Input.h"
#include "QelCore/InputRecording.h"

#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

namespace Qel {
namespace {

using Kind = RecordedEvent::Kind;
RecordedEvent button(int code, int action) {
    return {Kind::Button, code, action, {}};
}

TEST(InputRecord, ABrokenFileSaysWhy) {
    // Whole files are written and read back by the recorded run below and the game's replay test.
    const std::string head = "qel-input-record 1\nseed 1\n";
    const struct {
        std::string text, error;
    } kBroken[] = {{"", "no header"},
                   {"\x89PNG\r\n\x1a\n", "line 1: not an input recording"},
                   {"qel-input-record 2\nseed 1\nend\n", "line 1: version 2"},
                   {"qel-input-record 1\nseed -1\nend\n", "line 2: expected the seed"},
                   {head + "f 1\n", "cut short (no end line)"},
                   {head + "f 1", "cut short (no line end)"},
                   {head + "b 65 1\nend\n", "line 3: event before the first frame"},
                   {head + "f 1\nb 65 3\nend\n", "line 4: unreadable"},
                   {head + "f 1\nc nan 2\nend\n", "line 4: unreadable"},
                   {head + "f 99999999999\nend\n", "line 3: bad frame"},
                   {head + "end\nf 1\n", "text after the end line"}};
    for (const auto& broken : kBroken) {
        std::string error;
        EXPECT_FALSE(parseInputRecord(broken.text, error)) << broken.text;
        EXPECT_NE(error.find(broken.error), std::string::npos) << error;
    }
}

class InputRecordingTest : public testing::Test {
protected:
    InputRecordingTest() {
        auto owned = std::make_unique<ManualClock>();
        clock = owned.get();
        timing = std::make_unique<FrameRateController>(std::move(owned));
        resetInputStates();
    }
    ~InputRecordingTest() override { stopInputRecording(); }

    /// One frame as the frame loop runs it: polled, aged.
    void frame(bool normal = true) {
        onInputPolled(states, normal);
        ageInputStates();
    }

    test::Sandbox tree{"recording"};
    test::LogSink log;
    GameStateManager states;
    ManualClock* clock = nullptr;
    std::unique_ptr<FrameRateController> timing;
};

TEST_F(InputRecordingTest, ARecordedRunReplaysItsInputStepsAndSeedThenThePlayerTakesOver) {
    startInputRecording(tree / "run.rec");
    const uint32_t seed = randomSeed();
    const RecordedEvent cursor{Kind::Cursor, 0, 0, {10, 20}}, moved{Kind::Cursor, 0, 0, {0.1, 719.75}};
    for (const RecordedEvent& event : {button(GLFW_KEY_D, GLFW_PRESS), cursor, moved})
        EXPECT_TRUE(admitWindowInput(event));
    handleGamepadKey(GLFW_MOUSE_BUTTON_LEFT, true); // the pad's swing is recorded too
    frame();
    clock->advance(200'000);
    timing->endFrame();
    for (const RecordedEvent& event : {button(GLFW_KEY_D, GLFW_RELEASE), button(GLFW_KEY_W, GLFW_PRESS),
                                       RecordedEvent{Kind::Focus, 0, 0, {}}})
        admitWindowInput(event);
    frame();
    stopInputRecording();
    EXPECT_FALSE(isRunRecorded());

    resetInputStates();
    states.onWindowFocus(true);
    timing.reset(); // before its successor: the old one's end clears the instance
    timing = std::make_unique<FrameRateController>(std::make_unique<ManualClock>(5'000'000));
    ASSERT_TRUE(startInputReplay(tree / "run.rec"));
    EXPECT_EQ(randomSeed(), seed);
    EXPECT_FALSE(admitWindowInput(button(GLFW_KEY_A, GLFW_PRESS)));
    handleGamepadKey(GLFW_KEY_S, true); // a live pad is not heard during a replay
    frame();
    EXPECT_TRUE(isKeyTriggered(GLFW_KEY_D));
    EXPECT_TRUE(isKeyTriggered(GLFW_MOUSE_BUTTON_LEFT));
    EXPECT_FALSE(isKeyPressed(GLFW_KEY_S));
    EXPECT_EQ(getCursorPosition(), glm::dvec2(0.1, 719.75));
    frame();
    EXPECT_TRUE(isKeyReleased(GLFW_KEY_D));
    EXPECT_TRUE(isKeyTriggered(GLFW_KEY_W));
    EXPECT_EQ(timing->getFrameTicks(), 200'000u);
    EXPECT_EQ(states.getFrameFunction(), &GameStateManager::pollOnlyFrame);

    // Past the last frame the key the recording left held is let go and the window is heard again.
    frame(false);
    EXPECT_FALSE(isReplayingInput());
    EXPECT_TRUE(isKeyReleased(GLFW_KEY_W));
    EXPECT_TRUE(admitWindowInput(button(GLFW_KEY_A, GLFW_PRESS)));
    EXPECT_TRUE(log.has(LOG_HIGH, "Replay finished after 2 frames; the player has control"));
}

TEST_F(InputRecordingTest, AFileThatCannotBeReplayedOrWrittenIsLoggedAndTheGameGoesOn) {
    EXPECT_FALSE(startInputReplay(tree / "missing.rec", 3));
    EXPECT_TRUE(log.has(LOG_CRITICAL, "missing.rec not replayed: cannot be read; the game starts normally"));
    EXPECT_FALSE(isRunRecorded());
    EXPECT_TRUE(admitWindowInput(button(GLFW_KEY_A, GLFW_PRESS)));

    startInputRecording("/dev/full");
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(admitWindowInput(button(GLFW_KEY_A, GLFW_RELEASE)));
        frame();
    }
    stopInputRecording();
    EXPECT_EQ(log.count("Input recording /dev/full stopped, the file cannot be written"), 1u);
}

} // namespace
} // namespace Qel
