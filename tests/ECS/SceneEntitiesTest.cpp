#include "EcsTestWorld.h"

#include "ECS/SceneEntities.h"

using namespace Qel;

using SceneEntitiesTest = EcsTest;
using Witness = ProbeSystem<1>;

TEST_F(SceneEntitiesTest, DestroyPathsEmptyEveryPlaceAndNotifySystemsLast) {
    sceneEntities.clear();
    auto witness = add<Witness>("Witness");
    witness->Require(Signature{}.set(components->GetComponentType<Position>()));
    const Entity outsider = entities->CreateEntity();
    for (int n = 0; n < 4; ++n) {
        const Entity e = entities->CreateEntity();
        sceneEntities.insert(e);
        components->AddComponent(e, Position{});
        systems->NotifyEntityChanged(e);
    }
    DestroyObject({1, false});
    EXPECT_TRUE(entities->Exists(1) && sceneEntities.contains(1));
    DestroyObject({1, true});
    EXPECT_FALSE(entities->Exists(1) || sceneEntities.contains(1) || witness->GetEntities().contains(1));
    DestroyAllSceneEntities();
    EXPECT_EQ(logged.take(), "Object does not exist!\nObject Deleted\n");
    EXPECT_TRUE(sceneEntities.empty());
    EXPECT_TRUE(witness->GetEntities().empty());
    EXPECT_EQ(witness->notifiedWhileAlive, 4) << "a destruction reached the systems too early";
    EXPECT_EQ(entities->LivingCount(), 1u);
    EXPECT_TRUE(entities->Exists(outsider));
}
