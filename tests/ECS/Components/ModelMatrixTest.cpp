#include "ECS/Components/ModelMatrix.h"

#include <gtest/gtest.h>
#include <glm/vec4.hpp>

namespace Qel {
namespace {

TEST(ModelMatrixTest, TranslatesRotatesThenScales) {
    Transform transform;
    transform.position = {3.0f, -2.0f, 0.5f};
    transform.scale = {2.0f, 4.0f, 7.0f};
    transform.rotation = 90.0f;
    refreshModelMatrix(transform);

    // The local corner (0.5, 0.5) is scaled to (1, 2), turned a quarter to (-2, 1), then moved.
    const glm::vec4 corner = transform.model * glm::vec4(0.5f, 0.5f, 0.0f, 1.0f);
    EXPECT_NEAR(corner.x, 1.0f, 1e-5f);
    EXPECT_NEAR(corner.y, -1.0f, 1e-5f);
    EXPECT_FLOAT_EQ(corner.z, 0.5f);
    // The z scale never applies: sprites are flat.
    EXPECT_FLOAT_EQ(transform.model[2][2], 1.0f);
}

} // namespace
} // namespace Qel
