#include "QelCore/Input.h"
#include "QelRenderer/CameraMath.h"
#include "QelRenderer/CameraState.h"

#include "GameplayTestWorld.h"

namespace Qel {
namespace {

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

} // namespace
} // namespace Qel
