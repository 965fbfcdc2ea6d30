#include "../ECS/System/AnimationTestWorld.h"

#include "QelRenderer/AnimationTracks.h"

#include <gmock/gmock.h>

#include <cmath>

using namespace Qel;
using Graphics::Interpolation;

namespace {

Graphics::Track<float> track(Interpolation interpolation, std::vector<Graphics::Keyframe<float>> frames) {
    return {interpolation, std::move(frames)};
}

TEST(AnimationTrackTest, SamplesHoldTheEndsAndMeetEveryKeyframe) {
    const auto linear = track(Interpolation::linear, {{0.0f, 0.0f}, {1.0f, 10.0f}, {2.0f, 30.0f}});
    const auto step = track(Interpolation::step, {{0.0f, 0.0f}, {1.0f, 10.0f}, {2.0f, 30.0f}});
    const struct {
        float time, linear, step;
    } cases[] = {{-1.0f, 0.0f, 0.0f},  {0.0f, 0.0f, 0.0f},   {0.5f, 5.0f, 0.0f},   {1.0f, 10.0f, 0.0f},
                 {1.5f, 20.0f, 10.0f}, {2.0f, 30.0f, 10.0f}, {9.0f, 30.0f, 30.0f}, {NAN, 0.0f, 0.0f}};
    for (const auto& c : cases) {
        EXPECT_FLOAT_EQ(*Graphics::sampleTrack(linear, c.time), c.linear) << c.time;
        EXPECT_FLOAT_EQ(*Graphics::sampleTrack(step, c.time), c.step) << c.time;
    }
    EXPECT_FALSE(Graphics::sampleTrack(track(Interpolation::linear, {{0.0f, 4.0f}}), 0.5f));
}

class ClipTest : public AnimationWorldTest {};

TEST_F(ClipTest, KeyframesAreSortedAndRepeatedTimesDropped) {
    const Graphics::Clip* clip = addClip("shuffled", R"({"config": {"isLoop": true, "start": 0.0, "end": 2.0},
        "rotationFrames": {"interpolateType": "linear", "frames": [
            {"time": 1.0, "rotationAmount": 90.0}, {"time": 0.0, "rotationAmount": 0.0},
            {"time": 1.0, "rotationAmount": 45.0}, {"time": 2.0, "rotationAmount": 180.0}]},
        "colorFrames": {"interpolateType": "step", "frames": 3}})");
    ASSERT_EQ(clip->rotation.frames.size(), 3u);
    EXPECT_FLOAT_EQ(*Graphics::sampleTrack(clip->rotation, 1.0f), 90.0f);
    EXPECT_TRUE(logged.contains("out of time order"));
    EXPECT_TRUE(logged.contains("repeating an earlier time"));
    EXPECT_TRUE(clip->color.frames.empty());
    EXPECT_EQ(clip->color.interpolation, Interpolation::step);
}

TEST_F(ClipTest, StructuralErrorsStopTheProgram) {
    const std::pair<const char*, const char*> cases[] = {
        {R"({"positionFrames": {}})", "Invalid animation file!"},
        {"not json", "Invalid animation file!"},
        {R"({"config": {}, "scaleFrames": {"frames": []}})", "Missing interpolate type!"},
        {R"({"config": {}, "spriteFrames": {"interpolateType": "Linear"}})", "Invalid interpolation type!"},
    };
    for (const auto& [text, message] : cases)
        EXPECT_EXIT(addClip("broken", text), testing::ExitedWithCode(187), message) << text;
    EXPECT_EXIT(addController("broken", R"({"config": {"defaultState": "A"}})"), testing::ExitedWithCode(187),
                "Missing 'animationStates' data from animation controller file!");
}

TEST_F(ClipTest, ControllerRefusesStatesWithoutAClipAndKeepsEachConditionOnce) {
    addClip("walk", R"({"config": {}})");
    const AnimatorController* controller = addController("hero", R"({"config": {"defaultState": "Idle"},
        "animationStates": {"state": [
            {"name": "Idle", "clip": "walk", "playbackSpeed": 2.0, "transition": [
                {"targetState": "Walk", "name": "isWalk"}, {"targetState": "Ghost", "name": "isHurt"}]},
            {"name": "Walk", "clip": "walk", "playbackSpeed": 1.0, "transition": [
                {"targetState": "Idle", "name": "isWalk"}]},
            {"name": "Ghost", "clip": "nowhere", "playbackSpeed": 1.0}]}})");
    EXPECT_TRUE(logged.contains("\"Ghost\" names the clip \"nowhere\", which is not loaded"));
    EXPECT_EQ(controller->states.size(), 2u);
    EXPECT_EQ(controller->findState(hashName("Ghost")), nullptr);
    EXPECT_THAT(controller->conditionNames, testing::ElementsAre("isWalk", "isHurt"));
}

} // namespace
