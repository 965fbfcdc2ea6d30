#include "AnimationTestWorld.h"

#include <gmock/gmock.h>

using namespace Qel;

namespace {

// "A" slides right over one second and loops at 1.0; "B" shows three sprite frames and fades
// to transparent black; "C" starts at a scale of 3. Keys left out read as zero.
constexpr const char* kSlide = R"({"config": {"isLoop": true, "end": 1.0}, "positionFrames": {
    "interpolateType": "linear", "frames": [{"time": 0.0}, {"time": 1.0, "positionX": 2.0}]}})";
constexpr const char* kBlink = R"({"config": {"end": 1.0}, "spriteFrames": {"interpolateType": "step",
    "frames": [{"time": 0.0}, {"time": 0.5, "uvOffsetX": 0.25}, {"time": 1.0, "uvOffsetX": 0.5}]},
    "colorFrames": {"interpolateType": "linear", "frames": [
        {"time": 0.0, "colorR": 1.0, "colorG": 1.0, "colorB": 1.0, "colorA": 1.0}, {"time": 1.0}]}})";
constexpr const char* kGrow = R"({"config": {"end": 1.0}, "scaleFrames": {"interpolateType": "linear",
    "frames": [{"time": 0.0, "scaleX": 3.0}, {"time": 1.0, "scaleX": 4.0}]}})";
constexpr const char* kMachine = R"({"config": {"defaultState": "A"}, "animationStates": {"state": [
    {"name": "A", "clip": "slide", "playbackSpeed": 2.0, "transition": [
        {"targetState": "B", "name": "go"}, {"targetState": "Nowhere", "name": "lost"}]},
    {"name": "B", "clip": "blink", "playbackSpeed": 1.0, "transition": [
        {"targetState": "C", "name": "next"}, {"targetState": "A", "name": "go"}]},
    {"name": "C", "clip": "grow", "playbackSpeed": 1.0, "transition": [
        {"targetState": "A", "name": "go"}]}]}})";

class AnimationSystemTest : public AnimationWorldTest {
protected:
    void SetUp() override {
        AnimationWorldTest::SetUp();
        for (const auto& [name, text] : {std::pair{"slide", kSlide}, {"blink", kBlink}, {"grow", kGrow}})
            addClip(name, text);
        controller = addController("machine", kMachine);
    }

    /// An animated sprite; with ui it has a UITransform instead of a Transform.
    Entity animated(bool ui = false) {
        Animator animator;
        animator.controller = controller;
        return ui ? spawn(animator, SpriteRenderer{}, UITransform{})
                  : spawn(animator, SpriteRenderer{}, Transform{});
    }

    const AnimState* state(const char* name) { return controller->findState(hashName(name)); }

    AnimatorController* controller = nullptr;
};

TEST_F(AnimationSystemTest, JoiningBuildsConditionsOnceAndPlaybackLoopsAtZero) {
    const Entity entity = animated();
    systems->NotifyEntityChanged(entity);
    const Animator& animator = get<Animator>(entity);
    EXPECT_EQ(animator.currentState, state("A"));
    EXPECT_EQ(animator.conditions.size(), 3u) << "go, lost, next: each once, however often notified";

    // Speed 2 over a clip ending at 1.0: 0.3 s of real time is 0.6 s of clip, 0.6 s passes the end.
    animation->Update(0.3f);
    EXPECT_FLOAT_EQ(get<Transform>(entity).position.x, 1.2f);
    animation->Update(0.3f);
    EXPECT_FLOAT_EQ(animator.time, 0.0f) << "the restart sets 0, not time - end";
    EXPECT_FLOAT_EQ(get<Transform>(entity).position.x, 0.0f);

    // Initialize shows the pose at time zero.
    animation->Update(0.2f);
    animation->Initialize();
    EXPECT_FLOAT_EQ(animator.time, 0.0f);
    EXPECT_FLOAT_EQ(get<Transform>(entity).position.x, 0.0f);
}

TEST_F(AnimationSystemTest, TwoConditionsInOneFrameWalkTwoTransitionsAndResetThePose) {
    const Entity entity = animated();
    animation->Update(0.2f);
    ASSERT_FLOAT_EQ(get<Transform>(entity).position.x, 0.8f);
    EXPECT_TRUE(animation->setAnimBool(entity, "go", true));
    EXPECT_TRUE(animation->setAnimBool(entity, "next", true));
    animation->Update(0.0f);
    const Animator& animator = get<Animator>(entity);
    EXPECT_EQ(animator.currentState, state("C"));
    EXPECT_FLOAT_EQ(get<Transform>(entity).position.x, 0.0f) << "leaving A restores its first keyframe";
    EXPECT_FLOAT_EQ(get<Transform>(entity).scale.x, 3.0f);
    EXPECT_THAT(animator.conditions, testing::Each(testing::Field(&AnimatorCondition::raised, false)));

    // A condition C has no transition for is consumed without effect.
    animation->setAnimBool(entity, "next", true);
    animation->Update(0.0f);
    EXPECT_EQ(animator.currentState, state("C"));
    EXPECT_FALSE(animator.conditions[2].raised) << "a consumed condition stays raised";
}

TEST_F(AnimationSystemTest, TracksEndOnTheirLastKeyframeTargetUITransformsAndAMissingTargetStops) {
    const Entity sprite = animated();
    const Entity widget = animated(true);
    for (Entity entity : {sprite, widget})
        animation->setAnimBool(entity, "go", true);
    animation->Update(0.0f);
    animation->Update(0.75f);
    EXPECT_FLOAT_EQ(get<SpriteRenderer>(sprite).uvOffset.x, 0.25f);
    EXPECT_FLOAT_EQ(get<SpriteRenderer>(sprite).color.a, 0.25f);
    animation->Update(5.0f);
    EXPECT_FLOAT_EQ(get<SpriteRenderer>(sprite).uvOffset.x, 0.5f) << "a step track shows its last frame";
    EXPECT_EQ(get<SpriteRenderer>(sprite).color, glm::vec4(0.0f)) << "the fade reaches its end";

    animation->setAnimBool(widget, "go", true);
    animation->Update(0.25f);
    EXPECT_FLOAT_EQ(get<UITransform>(widget).position.x, 1.0f);

    // A transition to a missing state stops the animator; strays are logged.
    const Entity entity = animated();
    animation->setAnimBool(entity, "lost", true);
    animation->Update(0.1f);
    EXPECT_EQ(get<Animator>(entity).currentState, nullptr);
    EXPECT_TRUE(logged.contains("no state \"Nowhere\""));
    animation->Update(0.1f);

    const Entity plain = entities->CreateEntity();
    components->AddComponent(plain, Transform{});
    EXPECT_FALSE(animation->setAnimBool(plain, "go", true));
    EXPECT_FALSE(animation->setAnimBool(MAX_ENTITIES, "go", true));
    EXPECT_EQ(logged.count("has no Animator"), 2u);
}

} // namespace
