#include "ECS/System/Systems/PlayerSystem.h"

#include "ECS/Components/GOScripts.h"
#include "ECS/Components/RigidBody2D.h"
#include "ECS/Components/Transform.h"
#include "Physics/ColliderPtr.h"
#include "Physics/OBB.h"
#include "QelCore/Input.h"
#include "QelRenderer/CameraMath.h"
#include "QelRenderer/CameraState.h"
#include "data/NameHash.h"

#include "ScriptCallRecorder.h"
#include "World.h"

#include <gtest/gtest.h>

namespace Qel {
namespace {

class PlayerSystemTest : public ::testing::Test, protected test::World {
protected:
    void SetUp() override {
        catalogue();
        TypeName<PlayerSystem>::assign("PlayerSystem");
        player = systems->RegisterSystem<PlayerSystem>();
        player->Load();
    }
    void TearDown() override { player->Unload(); }

    Entity tagged(const char* tag, glm::vec2 position) {
        const Entity entity = spawn(Transform{.position = {position, 0.0f}});
        entities->GetInfo(entity)->tag = tag;
        return entity;
    }

    std::shared_ptr<PlayerSystem> player;
    ScriptCallRecorder scripts;
};

TEST_F(PlayerSystemTest, AdoptsTheFirstPlayerCompletesItAndLeavesTheSceneAlone) {
    const Entity scenery = spawn(Transform{});
    player->Initialize();
    EXPECT_EQ(player->player(), MAX_ENTITIES);
    EXPECT_EQ(entities->LivingCount(), 1u);

    const Entity first = tagged("playerTag", {0.0f, 0.0f});
    tagged("playerTag", {5.0f, 0.0f});
    player->Initialize();
    ASSERT_EQ(player->player(), first);
    EXPECT_TRUE(entities->Exists(scenery));
    const Entity hammer = player->hammer();
    EXPECT_EQ(entities->GetInfo(hammer)->tag, "hammer");
    EXPECT_EQ(player->GetEntities(), (std::unordered_set<Entity>{first, hammer}));

    const RigidBody2D& body = get<RigidBody2D>(first);
    EXPECT_TRUE(body.isDynamic && !body.isStatic);
    EXPECT_FLOAT_EQ(body.mass, 1.0f);
    const GOScripts& scriptKeys = get<GOScripts>(first);
    EXPECT_EQ(scriptKeys.scripts[1], hashName("playerScript"));
    EXPECT_TRUE(scriptKeys.flags & GOScripts::kCanBuild);
    EXPECT_EQ(dynamic_cast<OBB&>(*get<ColliderPtr>(hammer).collider).halfExtents, glm::vec2(0.375f));

    // The scene ends: nothing of it may linger in the set to be destroyed under a reused id.
    DestroyAllSceneEntities();
    EXPECT_TRUE(player->GetEntities().empty());
}

TEST_F(PlayerSystemTest, AimsBothScriptsAtTheCursorEveryFrame) {
    cameraState() = CameraState{};
    resetInputStates();
    handleCursorMoved(900.0, 200.0);
    ageInputStates();
    const glm::vec2 cursor = mouseToWorld();
    const Entity hero = tagged("playerTag", cursor - glm::vec2(3.0f, 4.0f));
    player->Initialize();
    const Entity hammer = player->hammer();

    const auto lastAim = [&](Entity entity, Entity partner) {
        const auto& call = scripts.calls.at(entity == hero ? scripts.calls.size() - 2 : scripts.calls.size() - 1);
        EXPECT_EQ(call.entity, entity);
        EXPECT_EQ(call.function, "earlyUpdate");
        EXPECT_EQ(std::get<int64_t>(call.args[3]), static_cast<int64_t>(partner));
        return glm::vec2(std::get<float>(call.args[1]), std::get<float>(call.args[2]));
    };
    player->Update(0.016f);
    EXPECT_NEAR(glm::distance(lastAim(hero, hammer), glm::vec2(0.6f, 0.8f)), 0.0f, 1e-5f);
    EXPECT_NEAR(glm::distance(lastAim(hammer, hero), glm::vec2(0.6f, 0.8f)), 0.0f, 1e-5f);

    // Cursor exactly on the player: the last direction holds.
    get<Transform>(hero).position = glm::vec3(cursor, 0.0f);
    player->Update(0.016f);
    EXPECT_NEAR(glm::distance(lastAim(hero, hammer), glm::vec2(0.6f, 0.8f)), 0.0f, 1e-5f);

    Message pause(hashName("PauseSystem")), resume(hashName("UnPauseSystem"));
    messages->sendImmediate(pause, MessageManager::kBroadcast);
    const size_t before = scripts.calls.size();
    player->Update(0.016f);
    EXPECT_EQ(scripts.calls.size(), before);
    messages->sendImmediate(resume, MessageManager::kBroadcast);

    // A destroyed hammer is noticed the next frame; the player gets no partner.
    DestroyObject({hammer, true});
    scripts.calls.clear();
    player->Update(0.016f);
    ASSERT_EQ(scripts.calls.size(), 1u);
    EXPECT_EQ(std::get<int64_t>(scripts.calls[0].args[3]), static_cast<int64_t>(MAX_ENTITIES));
}

} // namespace
} // namespace Qel
