#include "QelRenderer/Shadows.h"

#include <gtest/gtest.h>

#include <limits>
#include <utility>

namespace Qel {
namespace {

PackedLight lightAt(glm::vec2 position, float range, float intensity = 1.0f) {
    PackedLight light;
    light.position = {position, 1.0f, 0.0f};
    light.params = {range, intensity, -0.05f, 0.0f};
    return light;
}

TEST(ShadowsTest, StretchesAndPushesAwayFromTheLight) {
    // Caster 5 units from the light along (0.6, 0.8).
    const std::optional<ShadowQuad> shadow =
        shadowFor(lightAt({1.0f, 1.0f}, 10.0f), {4.0f, 5.0f}, {2.0f, 3.0f});
    ASSERT_TRUE(shadow);
    EXPECT_FLOAT_EQ(shadow->size.x, 2.25f);
    EXPECT_FLOAT_EQ(shadow->size.y, 3.5f);
    EXPECT_FLOAT_EQ(shadow->position.x, 4.25f);
    EXPECT_FLOAT_EQ(shadow->position.y, 5.5f);
    EXPECT_FLOAT_EQ(shadow->alpha, 0.5f);

    // A mirrored sprite keeps its mirrored size but is still pushed away from the light.
    const std::optional<ShadowQuad> mirrored =
        shadowFor(lightAt({1.0f, 1.0f}, 10.0f), {4.0f, 5.0f}, {-2.0f, 3.0f});
    ASSERT_TRUE(mirrored);
    EXPECT_FLOAT_EQ(mirrored->size.x, -2.25f);
    EXPECT_FLOAT_EQ(mirrored->position.x, 4.25f);

    // A light to the right throws the shadow to the left.
    const std::optional<ShadowQuad> leftward =
        shadowFor(lightAt({6.0f, 0.0f}, 10.0f), {0.0f, 0.0f}, {6.0f, 1.0f});
    ASSERT_TRUE(leftward);
    EXPECT_FLOAT_EQ(leftward->position.x, -1.25f);
    EXPECT_FLOAT_EQ(leftward->size.y, 1.0f);
}

TEST(ShadowsTest, FadesOutAtTheRangeAndNeedsADirectionAndLight) {
    const PackedLight light = lightAt({0.0f, 0.0f}, 5.0f);
    const std::optional<ShadowQuad> atRange = shadowFor(light, {3.0f, 4.0f}, {1.0f, 1.0f});
    ASSERT_TRUE(atRange);
    EXPECT_FLOAT_EQ(atRange->alpha, 0.0f);
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const std::pair<PackedLight, glm::vec2> none[] = {{light, {3.0f, 4.001f}},
                                                      {light, {0.0f, 0.0f}},
                                                      {lightAt({0.0f, 0.0f}, 5.0f, 0.0f), {1.0f, 0.0f}},
                                                      {lightAt({0.0f, 0.0f}, 0.0f), {1.0f, 0.0f}},
                                                      {light, {nan, 0.0f}}};
    for (const auto& [from, caster] : none)
        EXPECT_FALSE(shadowFor(from, caster, {1.0f, 1.0f})) << caster.x << "," << caster.y;
}

} // namespace
} // namespace Qel
