// The shipped game played in this process at a fixed step, with input only as a player gives it:
// an autopilot fights its way from the title to the credits, and a player who does nothing after
// the opening conversation is bitten down and starts the level again, without the conversation.
#include "Autopilot.h"
#include "Display.h"
#include "GameStates.h"

#include "ECS/System/SystemManager.h"
#include "ECS/System/Systems/DialogueSystem.h"

#include <algorithm>

namespace {

using namespace Qel;
using test::Autopilot;

constexpr float kStep = 1.0f / 20.0f;

Autopilot* pilot = nullptr;
/// The test's check after each frame; true ends the run.
bool (*finished)() = nullptr;

void sceneInit() {
    GS_SCENE::init();
    pilot->sceneStarted();
}

void sceneUpdate() {
    pilot->drive();
    SystemManager::instance()->UpdateAll(kStep);
    if (finished()) glfwSetWindowShouldClose(WindowHandler::instance()->getWindow(), GLFW_TRUE);
}

/// Plays until `until` says so.
void play(Autopilot& autopilot, bool (*until)()) {
    pilot = &autopilot;
    finished = until;
    test::playShippedGame(sceneUpdate, sceneInit, test::kQuickWindow);
}

TEST(PlayThroughTest, TheAutopilotFightsItsWayFromTheTitleToTheCredits) {
    QEL_SKIP_WITHOUT_DISPLAY();
    constexpr float kBound = 600.0f;
    Autopilot autopilot(kStep, true);
    play(autopilot, [] { return pilot->scene == "Credits.json" || pilot->seconds > kBound; });
    EXPECT_EQ(autopilot.scene, "Credits.json")
        << "still in " << autopilot.scene << " after " << kBound << " s";
}

// Hands off the game once the conversation is clicked through: the Cinderlings come and bite.
constexpr float kIdleBound = 120.0f;
glm::vec2 startedAt{0.0f}, restartedAt{0.0f};
int fullHealth = -1, lowestHealth = -1, healthAfterRestart = -1, framesSinceRestart = 0;
bool talkingAfterRestart = false;

bool watchTheIdlePlayer() {
    const int health = Autopilot::shownHealth();
    const std::optional<glm::vec2> position = Autopilot::playerPosition();
    if (pilot->seconds > kIdleBound) return true;
    if (health < 0 || !position) return false;
    if (fullHealth < 0) {
        fullHealth = lowestHealth = health;
        startedAt = *position;
    }
    if (pilot->restarts == 0) {
        lowestHealth = std::min(lowestHealth, health);
        return false;
    }
    if (++framesSinceRestart == 1) {
        restartedAt = *position;
        healthAfterRestart = health;
    }
    // A few frames in, the opening conversation would have begun.
    if (framesSinceRestart < 4) return false;
    const DialogueSystem* dialogue = DialogueSystem::active();
    talkingAfterRestart = dialogue && dialogue->isActive();
    return true;
}

TEST(PlayThroughTest, APlayerWhoDoesNothingIsBittenDownAndTheLevelStartsAgain) {
    QEL_SKIP_WITHOUT_DISPLAY();
    Autopilot autopilot(kStep, false);
    play(autopilot, watchTheIdlePlayer);

    ASSERT_GT(fullHealth, 0) << "the level's health display never showed";
    EXPECT_LT(lowestHealth, fullHealth);
    EXPECT_EQ(autopilot.restarts, 1) << "no restart within " << kIdleBound << " s";
    EXPECT_EQ(healthAfterRestart, fullHealth);
    EXPECT_EQ(restartedAt, startedAt);
    EXPECT_FALSE(talkingAfterRestart) << "the conversation plays once a visit, not after every fall";
}

} // namespace
