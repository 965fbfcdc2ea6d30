#include "EcsTestWorld.h"

#include <set>
#include <stdexcept>

using namespace Qel;
using ::testing::HasSubstr;

using EntityManagerTest = EcsTest;

TEST_F(EntityManagerTest, FreedIdComesBackAfterEveryOlderFreeIdThenTheLimitHolds) {
    for (Entity expected = 0; expected < MAX_ENTITIES; ++expected) {
        ASSERT_EQ(entities->CreateEntity(), expected);
        if (expected == 2) entities->DestroyEntity(1);
    }
    EXPECT_EQ(entities->CreateEntity(), 1u);
    EXPECT_EQ(entities->CreateEntity(), MAX_ENTITIES);
    EXPECT_THAT(logged.take(), HasSubstr("[CRITICAL] Trying to Instantiate over Entity limit"));
    EXPECT_EQ(entities->LivingCount(), MAX_ENTITIES);
}

TEST_F(EntityManagerTest, RecordsAndInvalidDestroys) {
    entities->DestroyEntity(7); // nothing alive
    const Entity e = entities->CreateEntity();
    EXPECT_EQ(entities->GetInfo(e)->tag, "Untagged");
    entities->GetInfo(e)->flags |= EntityInfo::kDisabled;
    EXPECT_TRUE(entities->IsDisabled(e)); // answered from the look-up cache
    entities->DestroyEntity(5000);
    entities->DestroyEntity(e + 1); // in range but never created
    entities->DestroyEntity(e);
    EXPECT_FALSE(entities->Exists(e)) << "stale look-up cache";
    entities->DestroyEntity(e); // a second time must not queue the id twice
    const std::string out = logged.take();

    const std::string line = "[LOW] No entity to destroy or invalid entity ID!\n";
    EXPECT_EQ(out, line + line + line + line);
    // Every id is free exactly once: a double-queued or leaked id shows as a repeat or the limit.
    std::set<Entity> handedOut;
    for (Entity n = 0; n < MAX_ENTITIES; ++n)
        handedOut.insert(entities->CreateEntity());
    EXPECT_EQ(handedOut.size(), MAX_ENTITIES);
    EXPECT_FALSE(handedOut.contains(MAX_ENTITIES));
}

TEST(SignatureTest, BitsOutsideThe32AreAnOutOfRangeError) {
    Signature s;
    s.set(0).set(31);
    EXPECT_TRUE(s.contains(Signature{}.set(0)));
    EXPECT_FALSE(Signature{}.contains(s));
    EXPECT_THROW(s.set(32), std::out_of_range);
    EXPECT_EQ(s, Signature(0x80000001u));
}
