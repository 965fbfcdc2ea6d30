// Each level's exit in the real game under Xvfb, at a fixed step: the player stands on it while one
// Cinderling still lives and nothing happens; the frame after that last one falls, the exit opens
// and takes the player on to the next scene.
#include "Display.h"
#include "ECS/ComponentManager.h"
#include "ECS/Components/Enemy.h"
#include "ECS/Components/Transform.h"
#include "ECS/SceneEntities.h"
#include "ECS/System/SystemManager.h"
#include "ECS/System/Systems/DialogueSystem.h"
#include "ECS/System/Systems/EnemySystem.h"
#include "ECS/System/Systems/PlayerSystem.h"
#include "GameStates.h"
#include "QelCore/WindowHandler.h"
#include "QelSceneManager/QelSceneManager.h"

#include <glm/geometric.hpp>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using namespace Qel;

constexpr struct {
    const char* scene;
    const char* next;
} kLevels[] = {{"Introlevel_Scripted.json", "Deeplevel.json"}, {"Deeplevel.json", "Credits.json"}};
constexpr int kLastFallsAt = 30;

struct Run {
    int frames = 0;
    /// The frame the last Cinderling fell, and the scene the level handed over to.
    int lastFell = -1;
    std::string arrived;
};
Run runs[std::size(kLevels)];
int playing = -1;
Entity lastCinderling = MAX_ENTITIES;

template <class T> T& get(Entity entity) {
    return ComponentManager::instance()->GetComponent<T>(entity);
}

/// Every Cinderling but the one farthest from `exit` falls to the enemy damage rule.
void fellAllButOne(glm::vec2 exit) {
    std::vector<Entity> enemies;
    for (Entity entity : sceneEntities)
        if (ComponentManager::instance()->HasComponent<Enemy>(entity)) enemies.push_back(entity);
    const auto distance = [exit](Entity entity) {
        return glm::length(glm::vec2(get<Transform>(entity).position) - exit);
    };
    std::sort(enemies.begin(), enemies.end(), [&](Entity a, Entity b) { return distance(a) > distance(b); });
    ASSERT_GE(enemies.size(), 2u);
    lastCinderling = enemies.front();
    for (size_t i = 1; i < enemies.size(); ++i)
        damageEnemy(get<Enemy>(enemies[i]), 100.0f);
}

void playLevel(Run& run) {
    const int frame = ++run.frames;
    const glm::vec2 exit(get<Transform>(test::sceneEntityNamed("LevelExit")).position);
    // The intro's conversation starts on the first frame and holds the game still: end it.
    if (frame == 2) {
        DialogueSystem::active()->stopDialogue();
        fellAllButOne(exit);
    }
    if (frame == kLastFallsAt) {
        damageEnemy(get<Enemy>(lastCinderling), 100.0f);
        run.lastFell = frame;
    }
    // The player's feet (the lower half of its two-unit sprite) on the exit's cell.
    Transform& player = get<Transform>(PlayerSystem::active()->player());
    player.position = glm::vec3(exit + glm::vec2(0.0f, 0.5f), player.position.z);
    SystemManager::instance()->UpdateAll(0.05f);
}

void exitUpdate() {
    const std::string loaded = SceneManager::instance()->getNextScenePath().filename().string();
    const auto level = std::find_if(std::begin(kLevels), std::end(kLevels),
                                    [&](const auto& entry) { return loaded == entry.scene; });
    const int now = level == std::end(kLevels) ? -1 : static_cast<int>(level - std::begin(kLevels));
    if (playing >= 0 && now != playing) runs[playing].arrived = loaded;
    playing = now;
    if (now < 0 && runs[0].frames == 0) {
        // The title: on to the first level, as its Play button does.
        if (SceneManager::instance()->setNextScene(std::string("../Assets/Scenes/") + kLevels[0].scene))
            setNextGameState(GS_RESTART);
        return GS_SCENE::update();
    }
    if (now < 0 || runs[now].frames > 200)
        return glfwSetWindowShouldClose(WindowHandler::instance()->getWindow(), GLFW_TRUE);
    playLevel(runs[now]);
}

TEST(LevelExitTest, TheExitStaysShutWhileACinderlingLivesThenTakesThePlayerOn) {
    QEL_SKIP_WITHOUT_DISPLAY();
    Qel::test::playShippedGame(exitUpdate, GS_SCENE::init, Qel::test::kQuickWindow);

    for (size_t i = 0; i < std::size(kLevels); ++i) {
        SCOPED_TRACE(kLevels[i].scene);
        EXPECT_EQ(runs[i].lastFell, kLastFallsAt) << "the level was left before its last Cinderling fell";
        EXPECT_EQ(runs[i].arrived, kLevels[i].next);
        // The exit opens in the frame the last one falls; the player on it leaves with the next.
        EXPECT_LE(runs[i].frames - runs[i].lastFell, 2);
    }
}

} // namespace
