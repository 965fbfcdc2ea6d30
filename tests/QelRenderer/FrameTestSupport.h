#pragma once

#include "ECS/Components/SpriteRenderer.h"
#include "ECS/Components/Transform.h"
#include "ECS/Components/UITransform.h"
#include "ECS/SceneEntities.h"
#include "RendererTestSupport.h"

#include <glm/vec4.hpp>

#include <memory>
#include <string>

namespace Qel {
class Texture;
}

namespace Qel::test {

/// A loaded renderer over the shipped shaders and meshes, with the ECS managers, the component
/// types and the systems registered, drawing into a 1280 x 720 window. Every test starts from an
/// empty scene, a camera at the origin showing 32 pixels per world unit, and a black clear colour.
class FrameTest : public RendererTest {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;
    void TearDown() override;

    /// A 4 x 4 texture of one colour (0..255 sRGB), registered under name.
    static Texture* solidTexture(const std::string& name, glm::u8vec4 color);
    /// A world sprite with a Transform and a SpriteRenderer, announced to the systems.
    Entity addSprite(glm::vec2 position, glm::vec2 scale, Texture* texture, int layer = 0);
    /// Announces an entity whose components were changed after it was added.
    static void announce(Entity entity);
    /// One frame through the sprite system (which sorts and draws); the result stays in the back
    /// buffer for readPixel.
    static void drawFrame();
    /// The window pixel at (x, y), counted from the bottom-left corner.
    static glm::u8vec4 readPixel(int x, int y);
    /// Window pixel of a world point under the test camera.
    static glm::ivec2 pixelOf(glm::vec2 world);
    /// The window pixel showing a world point.
    static glm::u8vec4 pixelAt(glm::vec2 world) { return readPixel(pixelOf(world).x, pixelOf(world).y); }
    static int brightness(glm::u8vec4 pixel) { return pixel.r + pixel.g + pixel.b; }

    /// Made for each suite: other suites of the process build their own managers.
    inline static std::unique_ptr<World> world;
    inline static std::unique_ptr<Sandbox> scratch;
    inline static Ref<AssetManager> assets;
    inline static Ref<EntityManager> entities;
    inline static Ref<ComponentManager> components;
    inline static Ref<SystemManager> systems;
    inline static Ref<SceneManager> scenes;

    static constexpr float kPixelsPerUnit = 32.0f;
};

} // namespace Qel::test
