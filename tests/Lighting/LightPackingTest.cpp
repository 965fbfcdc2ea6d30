#include "QelRenderer/LightPacking.h"

#include "LightingTestWorld.h"

#include <cstring>

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
    for (size_t i = buffer.count; i < kMaxPackedLights; ++i) {
        const PackedLight& unused = buffer.lights[i];
        EXPECT_EQ(unused.position + unused.color + unused.params, glm::vec4(0.0f)) << i;
    }
}

TEST_F(LightPackingTest, WritesTheShaderLayout) {
    const Entity entity = place(3.0f, -2.0f);
    Light& light = components->GetComponent<Light>(entity);
    light = {7, {0.1f, 0.2f, 0.3f}, 4.0f, 2.0f, -0.5f, 1.5f};

    const LightBuffer buffer = packLights({entity}, {0.0f, 0.0f}, {10.0f, 10.0f});
    ASSERT_EQ(buffer.count, 1u);
    float floats[kLightBufferBytes / sizeof(float)];
    std::memcpy(floats, buffer.lights.data(), kLightBufferBytes);
    const float expected[12] = {3.0f, -2.0f, 1.5f, 0.0f, 0.1f, 0.2f, 0.3f, 0.0f, 4.0f, 2.0f, -0.5f, 0.0f};
    for (int i = 0; i < 12; ++i)
        EXPECT_FLOAT_EQ(floats[i], expected[i]) << "float " << i;
}

TEST(LightPackingWithoutManagersTest, PacksNothing) {
    EXPECT_EQ(packLights({0, 1, 2}, {0.0f, 0.0f}, {10.0f, 10.0f}).count, 0u);
}

} // namespace
} // namespace Qel
