#include "FrameTestSupport.h"

#include "ECS/Components/ModelMatrix.h"
#include "ECS/SceneEntities.h"
#include "ECS/System/RegisterSystems.h"
#include "QelRenderer/CameraMath.h"
#include "QelRenderer/CameraState.h"
#include "QelRenderer/ScreenClear.h"
#include "QelRenderer/SpriteRendereSystem.h"
#include "QelRenderer/Texture.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

namespace Qel::test {

void FrameTest::SetUpTestSuite() {
    RendererTest::SetUpTestSuite();
    if (!window || world) return;
    // The renderer reads "../Assets": run from a folder beside the shipped one.
    scratch = std::make_unique<Sandbox>("frame");
    std::filesystem::current_path(std::filesystem::path(QEL_SOURCE_DIR) / "tests");
    world = std::make_unique<World>();
    world->catalogue();
    registerSystems(*systems);
    graphics->Load();
    systems->LoadAll();
}

void FrameTest::TearDownTestSuite() {
    world.reset();
    scratch.reset();
}

void FrameTest::SetUp() {
    RendererTest::SetUp();
    if (IsSkipped()) return;
    glfwSetWindowSize(window->getWindow(), 1280, 720);
    glfwPollEvents();
    CameraState& camera = cameraState();
    camera = CameraState{};
    camera.view = lookAt(glm::vec3(0.0f), glm::vec3(0.0f, 0.0f, -1.0f), camera.up);
    const glm::vec2 half = glm::vec2(640.0f, 360.0f) / kPixelsPerUnit;
    camera.projection = ortho(-half.x, half.x, -half.y, half.y, camera.nearPlane, camera.farPlane);
    camera.screenProjection = ortho(-640.0f, 640.0f, -360.0f, 360.0f, camera.nearPlane, camera.farPlane);
    setClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    scenes->lighting = SceneLighting{};
    graphics->setAmbient(glm::vec4(1.0f));
    graphics->createRenderTargets();
}

void FrameTest::TearDown() {
    if (!window) return;
    DestroyAllSceneEntities();
    graphics->destroyRenderTargets();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

Texture* FrameTest::solidTexture(const std::string& name, glm::u8vec4 color) {
    const std::filesystem::path path = *scratch / (name + ".png");
    writeSolidPng(path, 4, {color.r, color.g, color.b, color.a});
    assets->load<Texture>(name, path.c_str());
    return assets->findRegistry<Texture>()->get(hashName(name));
}

Entity FrameTest::addSprite(glm::vec2 position, glm::vec2 scale, Texture* texture, int layer) {
    Transform transform{.position = glm::vec3(position, 0.0f), .scale = glm::vec3(scale, 1.0f)};
    refreshModelMatrix(transform);
    return world->spawn(transform, SpriteRenderer{.layerNum = layer, .texture = texture});
}

void FrameTest::announce(Entity entity) {
    systems->NotifyEntityChanged(entity);
}

void FrameTest::drawFrame() {
    systems->GetSystem<SpriteRendereSystem>()->Update(0.0f);
}

glm::u8vec4 FrameTest::readPixel(int x, int y) {
    glm::u8vec4 pixel{};
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, &pixel);
    return pixel;
}

glm::ivec2 FrameTest::pixelOf(glm::vec2 world) {
    return glm::ivec2(glm::vec2(640.0f, 360.0f) + world * kPixelsPerUnit);
}

} // namespace Qel::test
