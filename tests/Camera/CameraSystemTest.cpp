#include "QelRenderer/CameraSystem.h"

#include "QelRenderer/CameraMath.h"
#include "QelRenderer/CameraMotion.h"

#include "World.h"

#include <gtest/gtest.h>

#include <memory>

namespace Qel {
namespace {

/// The managers the camera talks to, and the system loaded. The level spans (-50, -50) to
/// (50, 50), so it never limits the view here.
class CameraSystemTest : public ::testing::Test, protected test::World {
protected:
    void SetUp() override {
        cameraState() = CameraState{};
        catalogue();
        camera = add<CameraSystem>("CameraSystem");
        nodes->grid.origin = {-50.0f, -50.0f};
        nodes->grid.resize(100, 100);
        camera->Load();
    }

    Entity addCamera(glm::vec2 position, int32_t priority, glm::vec3 colour = {0.2f, 0.3f, 0.3f}) {
        return spawn(Transform{.position = {position, 0.0f}},
                     Camera{.clearColor = colour, .priority = priority});
    }

    void disable(Entity entity) { entities->GetInfo(entity)->flags |= EntityInfo::kDisabled; }

    size_t sendCamShake() {
        Message shake(hashName("CamShake"));
        return messages->sendImmediate(shake, MessageManager::kBroadcast);
    }

    std::shared_ptr<CameraSystem> camera;
    CameraState& state = cameraState();
};

TEST_F(CameraSystemTest, LowestActivePriorityWinsWhateverTheOrderOfAppearance) {
    const Entity fallback = addCamera({10.0f, 0.0f}, 5, {1.0f, 0.0f, 0.0f});
    const Entity preferred = addCamera({-10.0f, 4.0f}, 1, {0.0f, 0.0f, 0.5f});
    camera->Initialize();
    EXPECT_EQ(state.position, glm::vec3(-10.0f, 4.0f, 0.0f));
    EXPECT_EQ(state.clearColor, gammaClearColor({0.0f, 0.0f, 0.5f}));

    disable(preferred);
    camera->Update(0.5f);
    EXPECT_NEAR(state.position.x, 0.0f, 1e-5f);
    EXPECT_NEAR(state.position.y, 2.0f, 1e-5f);
    EXPECT_EQ(state.clearColor, gammaClearColor({1.0f, 0.0f, 0.0f}));

    // Every camera disabled: only a shake moves the view.
    disable(fallback);
    const glm::mat4 view = state.view;
    camera->Update(0.5f);
    EXPECT_EQ(state.view, view);
    sendCamShake();
    camera->Update(0.1f);
    EXPECT_NEAR(glm::length(glm::vec2(state.position) - glm::vec2(0.0f, 2.0f)), kShakeStrength, 1e-5f);
}

TEST_F(CameraSystemTest, WithoutCamerasTheDefaultViewApplies) {
    const Entity only = addCamera({7.0f, 7.0f}, 0);
    camera->Initialize();
    entities->DestroyEntity(only);
    systems->NotifyEntityChanged(only);
    sendCamShake();
    camera->Update(0.25f);
    EXPECT_EQ(state.position, glm::vec3(0.0f));
    EXPECT_EQ(state.clearColor, glm::vec4(0.0f, 0.0f, 0.0f, 1.0f));
    EXPECT_FLOAT_EQ(state.shakeTime, 0.0f);
    const glm::vec2 topLeft = mouseToWorld({0.0f, 0.0f}, currentWindowSize(), state);
    EXPECT_NEAR(topLeft.x, -cullingHalfExtents(currentWindowSize(), kDefaultZoom).x, 1e-4f);
}

TEST_F(CameraSystemTest, CamShakeRestartKeepsTheAccumulatedTime) {
    addCamera({0.0f, 0.0f}, 0);
    camera->Initialize();
    camera->Load();
    EXPECT_EQ(sendCamShake(), 1u);
    camera->Update(0.25f);
    EXPECT_EQ(sendCamShake(), 1u);
    camera->Update(0.25f);
    EXPECT_TRUE(state.shaking);
    camera->Update(0.125f);
    EXPECT_FALSE(state.shaking);
}

} // namespace
} // namespace Qel
