#include "QelRenderer/CameraMath.h"
#include "QelRenderer/CameraMotion.h"

#include <gtest/gtest.h>

#include <cmath>

namespace Qel {
namespace {

TEST(CameraMathTest, CursorMapsOntoWhatTheCameraShows) {
    const glm::vec2 window{1280.0f, 720.0f};
    CameraState camera;
    camera.position = {3.0f, -2.0f, 0.0f};
    camera.zoom = 20.0f;
    rebuildMatrices(camera, window);
    const glm::vec2 half = cullingHalfExtents(window, camera.zoom);
    const glm::vec2 centre = mouseToWorld(window / 2.0f, window, camera);
    EXPECT_NEAR(centre.x, 3.0f, 1e-4f);
    EXPECT_NEAR(centre.y, -2.0f, 1e-4f);
    // Window pixels run down from the top-left corner; world y runs up.
    const glm::vec2 topLeft = mouseToWorld({0.0f, 0.0f}, window, camera);
    EXPECT_NEAR(topLeft.x, 3.0f - half.x, 1e-4f);
    EXPECT_NEAR(topLeft.y, -2.0f + half.y, 1e-4f);
    // And back: the pixel over a world point (the pad aims around the player's pixel).
    const glm::vec2 pixel = worldToScreen({3.0f - half.x / 2.0f, -2.0f + half.y}, window, camera);
    EXPECT_NEAR(pixel.x, 320.0f, 1e-3f);
    EXPECT_NEAR(pixel.y, 0.0f, 1e-3f);
}

TEST(CameraMathTest, ASpriteIsCulledOnlyOnceItsReachLeavesTheView) {
    // A view 10 x 5 either side of (1, 1); a sprite of size 2 reaches 1.5 from its centre.
    struct Case {
        glm::vec2 position, scale;
        bool visible;
    };
    const Case cases[] = {
        {{12.4f, 1.0f}, {2.0f, 2.0f}, true},
        {{12.6f, 1.0f}, {2.0f, 2.0f}, false},
        {{1.0f, -5.4f}, {0.5f, 2.0f}, true},
        {{1.0f, -5.6f}, {0.5f, 2.0f}, false},
    };
    for (const Case& sprite : cases)
        EXPECT_EQ(isInView(sprite.position, sprite.scale, {1.0f, 1.0f}, {10.0f, 5.0f}), sprite.visible)
            << sprite.position.x << "," << sprite.position.y << " scale " << sprite.scale.x << ","
            << sprite.scale.y;
}

TEST(CameraMathTest, AreaInViewIsTheSpritesAreaTimesItsBoundingBoxShareInView) {
    // A view 10 x 5 either side of (1, 1).
    struct Case {
        glm::vec2 position, scale;
        float rotation, area;
    };
    const Case cases[] = {
        {{0.0f, 0.0f}, {2.0f, -3.0f}, 0.0f, 6.0f},     // inside, mirrored
        {{-9.0f, -4.0f}, {2.0f, 2.0f}, 0.0f, 1.0f},    // half out on x and on y
        {{13.0f, 1.0f}, {2.0f, 3.0f}, 0.0f, 0.0f},     // out
        {{1.0f, 5.5f}, {2.0f, 3.0f}, 90.0f, 4.5f},     // turned, 2 tall: a quarter out at the top
        {{-9.0f + 0.5f * std::sqrt(2.0f), 1.0f}, {2.0f, 2.0f}, 45.0f, 3.0f},  // a box of side 2.83, 3/4 in
    };
    for (const Case& sprite : cases)
        EXPECT_NEAR(areaInView(sprite.position, sprite.scale, sprite.rotation, {1.0f, 1.0f}, {10.0f, 5.0f}),
                    sprite.area, 1e-4f)
            << sprite.position.x << "," << sprite.position.y << " rotated " << sprite.rotation;
}

} // namespace
} // namespace Qel
