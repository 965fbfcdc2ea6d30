// The player's and the hammer's scripts in the real game under Xvfb, at a fixed step: a held key
// walks the player, a click swings the hammer into a Cinderling beside it, and a player hurt down
// to no hit points restarts the level (without its opening conversation).
#include "Display.h"
#include "ECS/ComponentManager.h"
#include "ECS/Components/Enemy.h"
#include "ECS/Components/Transform.h"
#include "ECS/System/SystemManager.h"
#include "ECS/System/Systems/DialogueSystem.h"
#include "ECS/System/Systems/PlayerSystem.h"
#include "ECS/System/Systems/ScriptCall.h"
#include "GameStates.h"
#include "QelCore/WindowHandler.h"
#include "QelSceneManager/QelSceneManager.h"

namespace {

using namespace Qel;

glm::vec2 start{0.0f}, walked{0.0f};
int healthBefore = 0, healthAfter = 0, frame = 0, framesSinceRestart = 0;
bool restarted = false, talkingAfterRestart = false;

template <class T> T& get(Entity entity) {
    return ComponentManager::instance()->GetComponent<T>(entity);
}

/// The level's frames, by number; input reaches the scripts with the next frame.
void playTheLevel(Entity player, Entity enemy) {
    constexpr struct {
        int frame, code, action;
    } kInput[] = {{2, GLFW_KEY_D, GLFW_PRESS},
                  {12, GLFW_KEY_D, GLFW_RELEASE},
                  {17, GLFW_MOUSE_BUTTON_LEFT, GLFW_PRESS},
                  {18, GLFW_MOUSE_BUTTON_LEFT, GLFW_RELEASE}};
    const glm::vec2 at(get<Transform>(player).position);
    // The level opens with a conversation, which holds the game still: skip it.
    if (++frame == 2) {
        start = at;
        if (DialogueSystem* dialogue = DialogueSystem::active()) dialogue->stopDialogue();
    }
    for (const auto& input : kInput)
        if (input.frame == frame) handleInputEvent(input.code, input.action);
    if (frame == 16) {
        walked = at;
        get<Transform>(enemy).position = glm::vec3(at + glm::vec2(1.4f, -0.3f), 0.0f);
        healthBefore = get<Enemy>(enemy).health;
        // The cursor at the window's right edge: the hammer points right, at the Cinderling.
        const glm::ivec2 size = WindowHandler::instance()->getCurrentSize();
        handleCursorMoved(size.x - 4.0, size.y / 2.0);
    }
    if (frame == 30) healthAfter = get<Enemy>(enemy).health;
    // Hits further apart than the player's moment of safety after each one.
    if (frame > 30 && frame % 20 == 0)
        callScript(player, "get_hurt", {int64_t{1}, static_cast<int64_t>(enemy)});
}

void levelUpdate() {
    PlayerSystem* players = PlayerSystem::active();
    const Entity player = players ? players->player() : MAX_ENTITIES;
    GLFWwindow* window = WindowHandler::instance()->getWindow();
    if (player == MAX_ENTITIES) {
        // The title: on to the level, as its Play button does.
        if (SceneManager::instance()->setNextScene("../Assets/Scenes/Introlevel_Scripted.json"))
            setNextGameState(GS_RESTART);
        return GS_SCENE::update();
    }
    // A level that starts again has its player back where the file puts it; a few frames later
    // its opening conversation would have begun.
    restarted = restarted || (frame > 30 && glm::vec2(get<Transform>(player).position) == start);
    if (restarted && ++framesSinceRestart > 3) talkingAfterRestart = DialogueSystem::active()->isActive();
    if (framesSinceRestart > 3 || frame > 400) return glfwSetWindowShouldClose(window, GLFW_TRUE);
    playTheLevel(player, Qel::test::sceneEntityNamed("Cinderling_0"));
    SystemManager::instance()->UpdateAll(0.05f);
}

TEST(PlayerScriptsTest, AKeyWalksAClickStrikesAnEnemyAndAFallenPlayerRestartsTheLevel) {
    QEL_SKIP_WITHOUT_DISPLAY();
    Qel::test::playShippedGame(levelUpdate, GS_SCENE::init, Qel::test::kQuickWindow);

    // Half a second at six units a second, less what the body's drag takes.
    EXPECT_GT(walked.x - start.x, 1.5f);
    EXPECT_NEAR(walked.y, start.y, 0.1f);
    EXPECT_EQ(healthBefore - healthAfter, 1) << "one swing, one hit point";
    EXPECT_TRUE(restarted);
    EXPECT_FALSE(talkingAfterRestart) << "the conversation plays once a visit, not after every fall";
}

} // namespace
