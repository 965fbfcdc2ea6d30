// The player and enemy systems loaded in an ECS world, with a stand-in for the script system that
// records every call an engine system makes into a script (and lets every script answer it).
#include "ECS/Components/Enemy.h"
#include "ECS/Components/Transform.h"
#include "ECS/System/Systems/EnemySystem.h"
#include "ECS/System/Systems/PlayerSystem.h"
#include "ECS/System/Systems/ScriptCall.h"
#include "QelCore/Input.h"
#include "QelRenderer/CameraMath.h"
#include "QelRenderer/CameraState.h"
#include "data/NameHash.h"

#include "Files.h"
#include "LogSink.h"
#include "World.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace Qel {
namespace {

struct RecordedCall {
    Entity entity;
    std::string function;
    std::vector<ScriptArg> args;
};
std::vector<RecordedCall> recordedCalls;

class GameplayWorldTest : public ::testing::Test, protected test::World {
protected:
    void SetUp() override {
        catalogue();
        player = add<PlayerSystem>("PlayerSystem");
        player->Load();
        recordedCalls.clear();
        setScriptCaller([](Entity entity, std::string_view function, std::span<const ScriptArg> args) {
            recordedCalls.push_back({entity, std::string(function), {args.begin(), args.end()}});
            return ScriptCallResult::Called;
        });
    }
    void TearDown() override {
        setScriptCaller(nullptr);
        player->Unload();
    }

    Entity tagged(const char* tag, glm::vec2 at) {
        const Entity entity = spawn(Transform{.position = {at, 0.0f}});
        entities->GetInfo(entity)->tag = tag;
        return entity;
    }

    std::shared_ptr<PlayerSystem> player;
};

using PlayerSystemTest = GameplayWorldTest;

TEST_F(PlayerSystemTest, AdoptsTheFirstPlayerLeavesTheSceneAloneAndAimsAtTheCursor) {
    cameraState() = CameraState{};
    resetInputStates();
    handleCursorMoved(900.0, 200.0);
    ageInputStates();
    const glm::vec2 cursor = mouseToWorld();
    const Entity scenery = spawn(Transform{});
    const Entity hero = tagged("playerTag", cursor - glm::vec2(3.0f, 4.0f));
    tagged("playerTag", {5.0f, 0.0f});
    player->Initialize();
    ASSERT_EQ(player->player(), hero);
    EXPECT_TRUE(entities->Exists(scenery));
    const Entity hammer = player->hammer();
    EXPECT_EQ(player->GetEntities(), (std::unordered_set<Entity>{hero, hammer}));

    // Each frame calls the player's earlyUpdate, then the hammer's, each naming the other.
    const auto expectAims = [&](const std::vector<Entity>& partners) {
        ASSERT_EQ(recordedCalls.size(), partners.size());
        for (size_t i = 0; i < partners.size(); ++i) {
            const RecordedCall& call = recordedCalls[i];
            EXPECT_EQ(call.entity, i == 0 ? hero : hammer);
            EXPECT_EQ(call.function, "earlyUpdate");
            const glm::vec2 aim(std::get<float>(call.args[1]), std::get<float>(call.args[2]));
            EXPECT_NEAR(glm::distance(aim, glm::vec2(0.6f, 0.8f)), 0.0f, 1e-5f);
            EXPECT_EQ(std::get<int64_t>(call.args[3]), static_cast<int64_t>(partners[i]));
        }
        recordedCalls.clear();
    };
    player->Update(0.016f);
    expectAims({hammer, hero});
    // Cursor exactly on the player: the last direction holds.
    get<Transform>(hero).position = glm::vec3(cursor, 0.0f);
    player->Update(0.016f);
    expectAims({hammer, hero});
    // A destroyed hammer is noticed the next frame: the player's call names no partner.
    DestroyObject({hammer, true});
    player->Update(0.016f);
    expectAims({MAX_ENTITIES});

    // The scene ends: nothing of it may linger in the set, to be destroyed later under a reused id.
    DestroyAllSceneEntities();
    EXPECT_TRUE(player->GetEntities().empty());
}

constexpr float kStep = 1.0f / 60.0f;

// 5 x 3 cells from (0, 0), bottom row first; cells (2, 0) and (2, 1) are a wall, so the way from
// the bottom left to the bottom right leads over the top row.
constexpr const char* kGrid = R"({"Scene": {"NodeManager": {"offset": [{"offset": 0.0}, {"offset": 0.0}],
    "boundaries": [{"Bounds": 0.0}, {"Bounds": 0.0}, {"Bounds": 5.0}, {"Bounds": 3.0}], "nodes": [
    {"walkable": true}, {"walkable": true}, {"walkable": false}, {"walkable": true}, {"walkable": true},
    {"walkable": true}, {"walkable": true}, {"walkable": false}, {"walkable": true}, {"walkable": true},
    {"walkable": true}, {"walkable": true}, {"walkable": true}, {"walkable": true}, {"walkable": true}]}}})";

int sounds = 0;

class EnemySystemTest : public GameplayWorldTest {
protected:
    void SetUp() override {
        GameplayWorldTest::SetUp();
        enemies = add<EnemySystem>("EnemySystem");
        enemies->Load();
        enemies->Initialize();
        JSON grid = test::parseJson(kGrid);
        ASSERT_TRUE(nodes->loadFromScene(grid));
        sounds = 0;
        messages->getReceiver(hashName("AudioManager"))
            ->addHandler(hashName("playSFX"), [](Message& message) {
                sounds +=
                    std::get<0>(*message.argsAs<uint64_t>()) == hashName("Icewalf(Enemy)/IcewalfAttack");
            });
        hero = tagged("playerTag", {4.5f, 0.5f});
        player->Initialize();
    }

    Entity addEnemy(glm::vec2 at, int32_t health, float speed, EnemyState state = EnemyState::Recentre) {
        Enemy enemy;
        enemy.health = health;
        enemy.moveSpeed = speed;
        enemy.detectionRange = 10.0f;
        enemy.attackTime = enemy.stunDuration = 0.5f;
        enemy.state = state;
        return spawn(Transform{.position = {at, 0.0f}}, std::move(enemy));
    }
    glm::vec2 where(Entity entity) { return get<Transform>(entity).position; }
    void frame() {
        player->Update(kStep);
        enemies->Update(kStep);
        messages->dispatchAll();
    }

    std::shared_ptr<EnemySystem> enemies;
    test::LogSink logged;
    Entity hero = MAX_ENTITIES;
};

TEST_F(EnemySystemTest, ChasesAroundTheWallStrikesEveryTwoSecondsAndReachesAPlayerPressedToAWall) {
    const Entity chaser = addEnemy({0.5f, 0.5f}, 3, 4.0f);
    // After six seconds the player stands with its centre over the wall's cell (2, 1), as a body pressed
    // against a wall from below does: the enemy comes round to the walkable cell beside it.
    std::vector<float> hits;
    for (int count = 1; count <= 10 * 60; ++count) {
        if (count == 6 * 60) get<Transform>(hero).position = {2.5f, 1.05f, 0.0f};
        recordedCalls.clear();
        frame();
        const glm::ivec2 cell = nodes->grid.cellOf(where(chaser));
        ASSERT_FALSE(nodes->grid.at(cell).blocked) << "frame " << count;
        if (recordedCalls.back().function != "get_hurt") continue;
        hits.push_back(static_cast<float>(count) * kStep);
        EXPECT_EQ(recordedCalls.back().entity, hero);
        EXPECT_EQ(std::get<int64_t>(recordedCalls.back().args[1]), static_cast<int64_t>(chaser));
    }
    // Column 2 is walled but for its top cell: never on a blocked cell and ending beside the wall's
    // cell the player stands over, the enemy went round it and back.
    const glm::ivec2 apart = nodes->grid.cellOf(where(chaser)) - glm::ivec2(2, 1);
    EXPECT_LE(apart.x * apart.x + apart.y * apart.y, 2) << "ends next to the player";
    ASSERT_GE(hits.size(), 4u);
    EXPECT_GT(hits.back(), 7.0f) << "the player over the wall was bitten too";
    for (size_t i = 1; i < hits.size() && hits[i] < 6.0f; ++i)
        EXPECT_NEAR(hits[i] - hits[i - 1], 2.0f, 2.5f * kStep);
    EXPECT_EQ(sounds, static_cast<int>(hits.size()));
}

TEST_F(EnemySystemTest, StunRecentreSpeedAndDeathEachTakeTheirCourse) {
    const Entity onGrid = addEnemy({1.2f, 2.3f}, 1, 4.0f, EnemyState::Stunned);
    const Entity offGrid = addEnemy({-5.0f, -5.0f}, 1, 4.0f, EnemyState::Stunned);
    const Entity still = addEnemy({0.5f, 2.5f}, 1, -1.0f);
    const Entity dead = addEnemy({3.5f, 2.5f}, -2, 4.0f, EnemyState::Chase);
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
    const Entity chaser = addEnemy({0.5f, 2.5f}, 3, 4.0f);
    frame();
    EXPECT_EQ(get<Enemy>(chaser).target, hero);
    DestroyObject({hero, true});
    const Entity next = tagged("playerTag", {0.5f, 0.5f});
    frame();
    EXPECT_EQ(get<Enemy>(chaser).target, next);

    // Amount, whether it applies, health afterwards.
    Enemy& enemy = get<Enemy>(chaser);
    for (const auto& [amount, applied, health] :
         {std::tuple{1.4f, true, 2}, {NAN, false, 2}, {-1.0f, false, 2}, {5.0f, true, 0}, {1.0f, true, 0}}) {
        EXPECT_EQ(damageEnemy(enemy, amount), applied) << amount;
        EXPECT_EQ(enemy.health, health) << amount;
    }
}

} // namespace
} // namespace Qel
