#include "QelRenderer/CameraMotion.h"

#include <gtest/gtest.h>

namespace Qel {
namespace {

Transform at(float x, float y) {
    Transform transform;
    transform.position = {x, y, 0.0f};
    return transform;
}

TEST(CameraMotionTest, FollowCoversSpeedTimesDtOfTheGapAndNeverOvershoots) {
    CameraState state;
    Camera camera;
    camera.offset = {0.0f, 3.0f};
    easeToward(state, camera, at(60.0f, -33.0f), 1.0f / 60.0f);
    EXPECT_NEAR(state.position.x, 1.0f, 1e-5f);
    EXPECT_NEAR(state.position.y, -0.5f, 1e-5f);
    // More than the whole gap in one frame lands on the target.
    camera.followSpeed = 200.0f;
    easeToward(state, camera, at(60.0f, -33.0f), 1.0f / 60.0f);
    EXPECT_EQ(glm::vec2(state.position), glm::vec2(60.0f, -30.0f));
}

TEST(CameraMotionTest, ZoomEasesOnlyOutsideTheDeadBandAndTowardUsableZoom) {
    CameraState state;
    Camera camera;
    state.zoom = 10.005f;
    easeToward(state, camera, at(0.0f, 0.0f), 0.5f);
    EXPECT_FLOAT_EQ(state.zoom, 10.005f);
    state.zoom = 16.0f;
    easeToward(state, camera, at(0.0f, 0.0f), 0.5f);
    EXPECT_FLOAT_EQ(state.zoom, 13.0f);
    camera.cameraZoom = 0.0f;
    easeToward(state, camera, at(0.0f, 0.0f), 0.5f);
    snapTo(state, camera, at(4.0f, 5.0f));
    EXPECT_FLOAT_EQ(state.zoom, 13.0f);
}

TEST(CameraMotionTest, ViewStaysInsideTheLevelAndCentresWhereTheLevelIsSmaller) {
    CameraState state;
    const glm::vec2 half{25.0f, 14.0f};
    state.boundsMax = {100.0f, 50.0f};
    state.position = {10.0f, 45.0f, 0.0f};
    keepInBounds(state, half);
    EXPECT_EQ(glm::vec2(state.position), glm::vec2(25.0f, 36.0f));
    // 30 wide against a 50 wide view: centred on x wherever the camera was, still clamped on y.
    state.boundsMax = {30.0f, 100.0f};
    for (const float x : {5.0f, 15.0f, 30.0f, 90.0f}) {
        state.position = {x, 5.0f, 0.0f};
        keepInBounds(state, half);
        EXPECT_EQ(glm::vec2(state.position), glm::vec2(15.0f, 14.0f)) << "from x = " << x;
    }
    state.boundsMax = {20.0f, 10.0f};
    keepInBounds(state, half);
    EXPECT_EQ(glm::vec2(state.position), glm::vec2(10.0f, 5.0f));
}

} // namespace
} // namespace Qel
