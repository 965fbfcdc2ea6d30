#include "BatchTestSupport.h"

#include "ECS/Components/ModelMatrix.h"
#include "QelRenderer/SpriteInstances.h"

#include <glm/ext/matrix_transform.hpp>
#include <gtest/gtest.h>

namespace Qel::test {
namespace {

void expectNear(const glm::mat4& actual, const glm::mat4& expected) {
    for (int column = 0; column < 4; ++column)
        for (int row = 0; row < 4; ++row)
            EXPECT_NEAR(actual[column][row], expected[column][row], 1e-5f) << column << "," << row;
}

class SpriteInstancesTest : public testing::Test {
protected:
    SpriteInstancesTest() {
        sprite = {.emissionAmount = 2.5f,
                  .lightMaskAlpha = 0.6f,
                  .uvOffset = {0.25f, 0.5f},
                  .uvSize = {0.125f, 0.25f},
                  .color = {0.1f, 0.2f, 0.3f, 0.4f},
                  .texture = main.get()};
        transform = {.position = {3.0f, 4.0f, 0.5f}, .scale = {2.0f, 3.0f, 1.0f}, .rotation = 90.0f};
        refreshModelMatrix(transform);
    }

    StandInTexture main{5};
    SpriteRenderer sprite;
    Transform transform;
    // Not symmetric, so a product in the wrong order shows.
    const glm::mat4 worldToNDC =
        glm::scale(glm::translate(glm::mat4(1.0f), {-0.5f, 0.25f, 0.0f}), {0.1f, 0.2f, 1.0f});
    RecordedBatch<SpriteVertex> batch = recordedBatch<SpriteVertex>(2048);
};

TEST_F(SpriteInstancesTest, ASpriteBeyondTheNearOrFarPlaneIsDroppedAsTheClipperWould) {
    for (const float z : {0.5f, 1.5f, -1.5f}) {
        transform.position.z = z;
        refreshModelMatrix(transform);
        pushSprite(batch, sprite, transform, worldToNDC, 0.0f);
    }
    EXPECT_EQ(batch.count, 1u);
}

TEST_F(SpriteInstancesTest, AShadowIsTheCastersSilhouettePlacedUnrotatedInBlack) {
    pushShadow(batch, sprite, {1.0f, 2.0f}, {3.0f, 4.0f}, 0.25f, worldToNDC);
    ASSERT_EQ(batch.count, 1u);
    const SpriteVertex& shadow = batch.instances[0];
    EXPECT_EQ(shadow.slots, glm::vec4(0.0f, -1.0f, 1.0f, -1.0f));
    EXPECT_EQ(shadow.color, glm::vec4(0.0f, 0.0f, 0.0f, 0.25f));
    EXPECT_EQ(shadow.uvRect, glm::vec4(0.25f, 0.5f, 0.125f, 0.25f));
    expectNear(shadow.modelToNDC, worldToNDC * glm::mat4(3, 0, 0, 0, 0, 4, 0, 0, 0, 0, 1, 0, 1, 2, 0, 1));

    // Without a texture nothing is queued.
    sprite.texture = nullptr;
    pushShadow(batch, sprite, {1.0f, 2.0f}, {3.0f, 4.0f}, 0.25f, worldToNDC);
    pushSprite(batch, sprite, transform, worldToNDC, 0.0f);
    EXPECT_EQ(batch.count, 1u);
}

} // namespace
} // namespace Qel::test
