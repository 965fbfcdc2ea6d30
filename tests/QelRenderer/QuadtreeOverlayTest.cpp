#include "FrameTestSupport.h"

#include "ECS/Components/Layer.h"
#include "ECS/Components/RigidBody2D.h"
#include "Physics/ColliderPtr.h"
#include "Physics/OBB.h"
#include "Physics/PhysicsSystem.h"

#include <memory>

namespace Qel {
namespace {

using test::FrameTest;

class QuadtreeOverlayTest : public FrameTest {
protected:
    void addWall(glm::vec2 at) {
        world->spawn(Transform{.position = glm::vec3(at, 0.0f)}, RigidBody2D{},
                     ColliderPtr(std::make_unique<OBB>(), "OBB"), Layer{"Default"});
    }

    /// Whether a few pixels across the world point are mostly red.
    bool redAround(glm::vec2 world) {
        const glm::ivec2 centre = pixelOf(world);
        for (int dx = -3; dx <= 3; ++dx) {
            const glm::u8vec4 pixel = readPixel(centre.x + dx, centre.y);
            if (pixel.r > 150 && pixel.g < 80 && pixel.b < 80) return true;
        }
        return false;
    }
};

TEST_F(QuadtreeOverlayTest, LeafOutlinesAreDrawnOnlyWhileTheViewIsOn) {
    // Seven walls split the root, which spans them, at the origin.
    for (glm::vec2 at : {glm::vec2{-10, -6}, {10, 6}, {-10, 6}, {10, -6}, {-5, 3}, {5, -3}, {3, 3}})
        addWall(at);
    std::shared_ptr<PhysicsSystem> physics = systems->GetSystem<PhysicsSystem>();
    physics->Initialize();
    physics->toggleQuadtreeOutlines();
    physics->Update(1.0f / 60.0f);
    drawFrame();
    EXPECT_TRUE(redAround({0.0f, 4.5f}));  // the split between the upper quadrants
    EXPECT_FALSE(redAround({5.0f, 4.5f})); // inside a quadrant

    physics->toggleQuadtreeOutlines();
    physics->Update(1.0f / 60.0f);
    drawFrame();
    EXPECT_FALSE(redAround({0.0f, 4.5f}));
}

} // namespace
} // namespace Qel
