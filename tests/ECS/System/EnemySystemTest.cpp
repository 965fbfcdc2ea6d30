#include "ECS/System/Systems/EnemySystem.h"

#include "ECS/Components/Enemy.h"
#include "ECS/Components/Transform.h"
#include "ECS/System/Systems/PlayerSystem.h"
#include "data/NameHash.h"

#include "Files.h"
#include "LogSink.h"
#include "ScriptCallRecorder.h"
#include "World.h"

#include <gtest/gtest.h>

#include <cmath>

namespace Qel {
namespace {

constexpr float kStep = 1.0f / 60.0f;

// 5 x 3 cells from (0, 0); cells (2, 0) and (2, 1) are a wall, so the way from the bottom left
// to the bottom right leads over the top row.
constexpr const char* kGrid = R"({"Scene": {"NodeManager": {
    "offset": [{"offset": 0.0}, {"offset": 0.0}],
    "boundaries": [{"Bounds": 0.0}, {"Bounds": 0.0}, {"Bounds": 5.0}, {"Bounds": 3.0}],
    "nodes": [{"walkable": true}, {"walkable": true}, {"walkable": false}, {"walkable": true}, {"walkable": true},
              {"walkable": true}, {"walkable": true}, {"walkable": false}, {"walkable": true}, {"walkable": true},
              {"walkable": true}, {"walkable": true}, {"walkable": true}, {"walkable": true}, {"walkable": true}]}}})";

int sounds = 0;

Enemy enemy(int32_t health, float speed, EnemyState state = EnemyState::Recentre) {
    Enemy enemy;
    enemy.health = health;
    enemy.moveSpeed = speed;
    enemy.detectionRange = 10.0f;
    enemy.attackTime = 0.5f;
    enemy.state = state;
    enemy.stunDuration = 0.5f;
    return enemy;
}

class EnemySystemTest : public ::testing::Test, protected test::World {
protected:
    void SetUp() override {
        catalogue();
        TypeName<PlayerSystem>::assign("PlayerSystem");
        TypeName<EnemySystem>::assign("EnemySystem");
        player = systems->RegisterSystem<PlayerSystem>();
        enemies = systems->RegisterSystem<EnemySystem>();
        systems->LoadAll();
        enemies->Initialize();
        JSON grid = test::parseJson(kGrid);
        ASSERT_TRUE(nodes->loadFromScene(grid));
        sounds = 0;
        messages->getReceiver(hashName("AudioManager"))->addHandler(hashName("playSFX"), [](Message& message) {
            sounds += message.argsAs<uint64_t>() && std::get<0>(*message.argsAs<uint64_t>()) ==
                                                        hashName("Icewalf(Enemy)/IcewalfAttack");
        });
        hero = spawnPlayer({4.5f, 0.5f});
    }
    void TearDown() override { player->Unload(); }

    Entity spawnPlayer(glm::vec2 at) {
        const Entity entity = spawn(Transform{.position = {at, 0.0f}});
        entities->GetInfo(entity)->tag = "playerTag";
        player->Initialize();
        return entity;
    }
    Entity addEnemy(glm::vec2 at, Enemy data) { return spawn(Transform{.position = {at, 0.0f}}, std::move(data)); }
    glm::vec2 where(Entity entity) { return get<Transform>(entity).position; }
    void frame() {
        player->Update(kStep);
        enemies->Update(kStep);
        messages->dispatchAll();
    }

    std::shared_ptr<PlayerSystem> player;
    std::shared_ptr<EnemySystem> enemies;
    ScriptCallRecorder scripts;
    test::LogSink logged;
    Entity hero = MAX_ENTITIES;
};

TEST_F(EnemySystemTest, ChasesAroundTheWallThenStrikesEveryTwoSeconds) {
    const Entity chaser = addEnemy({0.5f, 0.5f}, enemy(3, 4.0f));
    bool overTheWall = false;
    std::vector<float> hits;
    for (int count = 1; count <= 8 * 60; ++count) {
        frame();
        const glm::ivec2 cell = nodes->grid.cellOf(where(chaser));
        ASSERT_FALSE(nodes->grid.at(cell).blocked) << "frame " << count;
        overTheWall |= cell == glm::ivec2(2, 2);
        if (!scripts.calls.empty() && scripts.calls.back().function == "get_hurt") {
            hits.push_back(static_cast<float>(count) * kStep);
            EXPECT_EQ(scripts.calls.back().entity, hero);
            EXPECT_EQ(std::get<int64_t>(scripts.calls.back().args[1]), static_cast<int64_t>(chaser));
        }
        scripts.calls.clear();
    }
    EXPECT_TRUE(overTheWall);
    const glm::ivec2 apart = nodes->grid.cellOf(where(chaser)) - glm::ivec2(4, 0);
    EXPECT_LE(apart.x * apart.x + apart.y * apart.y, 2) << "ends next to the player";
    ASSERT_GE(hits.size(), 3u);
    for (size_t i = 1; i < hits.size(); ++i)
        EXPECT_NEAR(hits[i] - hits[i - 1], 2.0f, 2.5f * kStep);
    EXPECT_EQ(sounds, static_cast<int>(hits.size()));
}

TEST_F(EnemySystemTest, StunRecentreSpeedAndDeathEachTakeTheirCourse) {
    const Entity onGrid = addEnemy({1.2f, 2.3f}, enemy(1, 4.0f, EnemyState::Stunned));
    const Entity offGrid = addEnemy({-5.0f, -5.0f}, enemy(1, 4.0f, EnemyState::Stunned));
    const Entity still = addEnemy({0.5f, 2.5f}, enemy(1, -1.0f));
    const Entity dead = addEnemy({3.5f, 2.5f}, enemy(-2, 4.0f, EnemyState::Chase));

    float elapsed = 0.0f;
    for (; get<Enemy>(onGrid).state != EnemyState::Plan; elapsed += kStep)
        frame();
    // The stun and the recentring, after the frames in which each of the four met the player.
    EXPECT_NEAR(elapsed, 0.625f + 2.0f * kStep, 2.5f * kStep);
    EXPECT_NEAR(glm::distance(where(onGrid), glm::vec2(1.5f, 2.5f)), 0.0f, 1e-5f);
    EXPECT_FALSE(entities->IsDisabled(dead));
    for (; elapsed < 2.0f; elapsed += kStep)
        frame();
    EXPECT_EQ(where(offGrid), glm::vec2(-5.0f, -5.0f));
    EXPECT_EQ(where(still), glm::vec2(0.5f, 2.5f));
    EXPECT_EQ(logged.count("stands still"), 1u);
    EXPECT_EQ(where(dead), glm::vec2(3.5f, 2.5f));
    EXPECT_TRUE(entities->IsDisabled(dead));
}

TEST_F(EnemySystemTest, FollowsTheCurrentPlayerAndTakesDamage) {
    const Entity chaser = addEnemy({0.5f, 2.5f}, enemy(3, 4.0f));
    frame();
    EXPECT_EQ(get<Enemy>(chaser).target, hero);
    DestroyObject({hero, true});
    const Entity next = spawnPlayer({0.5f, 0.5f});
    frame();
    EXPECT_EQ(get<Enemy>(chaser).target, next);

    const struct {
        float amount;
        bool applied;
        int32_t health;
    } cases[] = {{1.4f, true, 2}, {NAN, false, 2}, {-1.0f, false, 2}, {5.0f, true, 0}, {1.0f, true, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(damageEnemy(chaser, c.amount), c.applied) << c.amount;
        EXPECT_EQ(enemyHealth(chaser), c.health) << c.amount;
    }
    EXPECT_FALSE(damageEnemy(next, 1.0f));
    EXPECT_EQ(enemyHealth(next), std::nullopt);
}

} // namespace
} // namespace Qel
