#include "../ECS/Prefab/SceneTestWorld.h"

using namespace Qel;

namespace {

using TagOnlyPrefabTest = SceneWorldTest;

// A prefab file without a "component" object is a name and a tag: spawn points are written so.
TEST_F(TagOnlyPrefabTest, ScenesBuildItWithTheComponentsTheyGive) {
    ASSERT_TRUE(loadPrefab(R"({"name": "Spawn", "tag": "SpawnPoint"})"));
    JSON scene = parse(R"({"Scene": {"gameObjects": [
        {"prefab": "Spawn", "name": "PlayerStart", "components": [{"name": "Transform", "positionX": 3.0}]},
        {"prefab": "Spawn", "name": "Bare", "components": []}]}})");
    ASSERT_TRUE(scenes->loadScene(scene));

    const Entity start = named("PlayerStart");
    ASSERT_NE(start, MAX_ENTITIES);
    EXPECT_EQ(entities->GetInfo(start)->tag, "SpawnPoint");
    EXPECT_EQ(get<Transform>(start).position.x, 3.0f);
    EXPECT_TRUE(probe->GetEntities().contains(start));

    const Entity bare = named("Bare");
    ASSERT_NE(bare, MAX_ENTITIES);
    EXPECT_EQ(entities->GetInfo(bare)->tag, "SpawnPoint");
    EXPECT_TRUE(entities->GetSignature(bare).none());
}

} // namespace
