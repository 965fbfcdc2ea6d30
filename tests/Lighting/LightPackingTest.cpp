#include "QelRenderer/LightPacking.h"

#include "LightingTestWorld.h"

namespace Qel {
namespace {

class LightPackingTest : public LightingWorldTest {};

TEST_F(LightPackingTest, KeepsTheFirstTwentyInListOrder) {
    std::vector<Entity> list;
    for (int i = 0; i < 25; ++i)
        list.push_back(place(0.1f * static_cast<float>(i), 0.0f));

    const LightBuffer buffer = packLights(list, {0.0f, 0.0f}, {10.0f, 5.0f});
    ASSERT_EQ(buffer.count, kMaxPackedLights);
    for (size_t i = 0; i < kMaxPackedLights; ++i)
        EXPECT_FLOAT_EQ(buffer.lights[i].position.x, 0.1f * static_cast<float>(i)) << i;
}

TEST_F(LightPackingTest, PacksWhatReachesIntoTheViewAndSkipsTheRest) {
    const Entity reachesRight = place(13.9f, 0.0f, 3.0f);
    const Entity touchesOnly = place(14.0f, 0.0f, 3.0f);
    const Entity farAway = place(0.0f, 40.0f, 3.0f);
    const Entity reachesDown = place(1.0f, -7.5f, 3.0f);
    const Entity disabled = place(0.0f, 0.0f);
    entities->GetInfo(disabled)->flags |= EntityInfo::kDisabled;
    const Entity unlit = place(0.0f, 0.0f, 5.0f, false);
    const Entity gone = place(0.0f, 0.0f);
    components->EntityDestroyed(gone);
    entities->DestroyEntity(gone);

    // The camera sits at (1, 0): the view spans x -9 .. 11 and y -5 .. 5.
    const LightBuffer buffer =
        packLights({touchesOnly, farAway, disabled, reachesRight, unlit, gone, reachesDown}, {1.0f, 0.0f},
                   {10.0f, 5.0f});
    ASSERT_EQ(buffer.count, 2u);
    EXPECT_FLOAT_EQ(buffer.lights[0].position.x, 13.9f);
    EXPECT_FLOAT_EQ(buffer.lights[1].position.y, -7.5f);
}

TEST(LightPackingWithoutManagersTest, PacksNothing) {
    EXPECT_EQ(packLights({0, 1, 2}, {0.0f, 0.0f}, {10.0f, 10.0f}).count, 0u);
}

} // namespace
} // namespace Qel
