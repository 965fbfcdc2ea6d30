// The player's and the hammer's scripts in the real game under Xvfb, at a fixed step: held keys
// walk the player, a click swings the hammer into a Cinderling beside it, and a player hurt down to
// no hit points restarts the level.
#include "Display.h"
#include "ECS/ComponentManager.h"
#include "ECS/Components/Enemy.h"
#include "ECS/Components/Transform.h"
#include "ECS/EntityManager.h"
#include "ECS/System/SystemManager.h"
#include "ECS/System/Systems/PlayerSystem.h"
#include "ECS/System/Systems/ScriptCall.h"
#include "Files.h"
#include "GameStates.h"
#include "QelCore/Input.h"
#include "QelCore/WindowHandler.h"
#include "QelSceneManager/QelSceneManager.h"

#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

using namespace Qel;
namespace fs = std::filesystem;

constexpr float kStep = 0.05f;

struct Outcome {
    glm::vec2 start{0.0f}, walked{0.0f};
    int healthBefore = 0, healthAfter = 0;
    bool restarted = false;
};

Outcome outcome;
int splashFrames = 0;
int levelFrames = 0;

Entity named(const std::string& name) {
    EntityManager& registry = *EntityManager::instance();
    for (Entity entity = 0; entity < MAX_ENTITIES; ++entity) {
        const EntityInfo* info = registry.GetInfo(entity);
        if (info && info->name == name) return entity;
    }
    return MAX_ENTITIES;
}

template <class T> T& get(Entity entity) {
    return ComponentManager::instance()->GetComponent<T>(entity);
}

glm::vec2 positionOf(Entity entity) {
    return glm::vec2(get<Transform>(entity).position);
}

void splashUpdatePressingAKey() {
    GS_SPLASH::update();
    if (++splashFrames % 10 == 0) handleInputEvent(GLFW_KEY_SPACE, GLFW_PRESS);
    if (splashFrames % 10 == 1) handleInputEvent(GLFW_KEY_SPACE, GLFW_RELEASE);
    ASSERT_LT(splashFrames, 3000) << "the splash never handed over";
}

/// The level's frames, by number: walk right, swing at a Cinderling put beside the player, then
/// take hits until the level starts again. Input reaches the scripts with the next frame.
void playTheLevel(Entity player) {
    const int frame = ++levelFrames;
    const Entity enemy = named("Cinderling_0");
    if (frame == 2) {
        outcome.start = positionOf(player);
        handleInputEvent(GLFW_KEY_D, GLFW_PRESS);
    } else if (frame == 12) {
        handleInputEvent(GLFW_KEY_D, GLFW_RELEASE);
    } else if (frame == 16) {
        outcome.walked = positionOf(player);
        get<Transform>(enemy).position = glm::vec3(outcome.walked + glm::vec2(1.4f, -0.3f), 0.0f);
        outcome.healthBefore = get<Enemy>(enemy).health;
        // The cursor at the window's right edge: the hammer points right, at the Cinderling.
        const glm::ivec2 size = WindowHandler::instance()->getCurrentSize();
        handleCursorMoved(size.x - 4.0, size.y / 2.0);
    } else if (frame == 17) {
        handleInputEvent(GLFW_MOUSE_BUTTON_LEFT, GLFW_PRESS);
    } else if (frame == 18) {
        handleInputEvent(GLFW_MOUSE_BUTTON_LEFT, GLFW_RELEASE);
    } else if (frame == 30) {
        outcome.healthAfter = get<Enemy>(enemy).health;
    } else if (frame > 30 && frame % 20 == 0) {
        // Apart by more than the player's moment of safety after each hit.
        callScript(player, "get_hurt", {int64_t{1}, static_cast<int64_t>(enemy)});
    }
}

void levelUpdate() {
    PlayerSystem* players = PlayerSystem::active();
    const Entity player = players ? players->player() : MAX_ENTITIES;
    if (player == MAX_ENTITIES) {
        // The title: on to the level, as its Play button does.
        if (SceneManager::instance()->setNextScene("../Assets/Scenes/Introlevel_Scripted.json"))
            setNextGameState(GS_RESTART);
        GS_SCENE::update();
        return;
    }
    // A level that starts again begins with its player where the file puts it.
    if (levelFrames > 30 && positionOf(player) == outcome.start) {
        outcome.restarted = true;
        glfwSetWindowShouldClose(WindowHandler::instance()->getWindow(), GLFW_TRUE);
        return;
    }
    playTheLevel(player);
    SystemManager::instance()->UpdateAll(kStep);
    if (levelFrames > 400) glfwSetWindowShouldClose(WindowHandler::instance()->getWindow(), GLFW_TRUE);
}

TEST(PlayerScriptsTest, KeysWalkAClickStrikesAnEnemyAndAFallenPlayerRestartsTheLevel) {
    QEL_SKIP_WITHOUT_DISPLAY();
    Qel::test::Sandbox tree("game");
    for (const char* folder : {"Assets", "Defaults"})
        fs::create_directory_symlink(fs::path(QEL_SOURCE_DIR) / folder, tree / folder);
    tree.enter("run");

    Qel::test::playGame(splashUpdatePressingAKey, levelUpdate);

    // Half a second at six units a second, less what the body's drag takes.
    EXPECT_GT(outcome.walked.x - outcome.start.x, 1.5f);
    EXPECT_NEAR(outcome.walked.y, outcome.start.y, 0.1f);
    EXPECT_EQ(outcome.healthBefore, 3);
    EXPECT_EQ(outcome.healthAfter, 2) << "one swing, one hit point";
    EXPECT_TRUE(outcome.restarted);
}

} // namespace
