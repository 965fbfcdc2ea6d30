#pragma once

#include "ECS/Entity.h"
#include "QelCore/Singleton.h"
#include "QelRenderer/RenderTargets.h"
#include "QelRenderer/TextureUploadQueue.h"

#include <glm/mat4x4.hpp>
#include <glm/vec2.hpp>
#include <glm/vec3.hpp>
#include <glm/vec4.hpp>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace Qel {

class Message;
class Shader;
class Texture;
class FrameOverlay;
class ScreenshotCapture;
struct FrameResources;

/// The renderer. Created by Systems after the window and its GL context exist; every GL call it
/// makes happens on the main thread. Loading workers hand it decoded textures through the
/// "MTTextureCreateRequest" message to the "GraphicsMultiThreadReceiver" receiver.
class GraphicsEngine : public Singleton<GraphicsEngine> {
public:
    /// One outline of the debug overlay: model-to-NDC matrix and RGB colour.
    struct DebugShape {
        glm::mat4 modelToNDC{1.0f};
        glm::vec3 color{0.0f};
    };

    /// Only constructs: no GL call until Startup.
    GraphicsEngine();
    /// Unsubscribes the texture receiver and releases the render targets; pixels still queued are
    /// freed.
    ~GraphicsEngine() override;

    /// Loads the GL entry points (failure is a strong assertion) and sets the fixed blending and
    /// line-width state. Needs the window's context to be current.
    void Startup();

    /// Builds every built-in GPU resource: the texture receiver, splash images, meshes, shader
    /// programs, the two instance batches, the light buffer and the fonts.
    void Load();

    /// Registers the "GraphicsMultiThreadReceiver" receiver and subscribes it to
    /// "MTTextureCreateRequest"; a missing message manager or receiver is a strong assertion.
    void subscribeTextureRequests();

    /// Off-screen targets for the scene and bloom, at the current window size. Game states create
    /// them on entry and destroy them on exit; destroying also empties the per-scene lists.
    void createRenderTargets();
    void destroyRenderTargets();

    /// Draws one frame: the world sprites of layerOrdered (ascending layers), lights and shadows,
    /// bloom, the composite, light masks, particles, the UI list and the debug overlay.
    void Draw(const std::vector<Entity>& layerOrdered);

    /// Ambient light reaching every sprite: rgb scaled by w.
    void setAmbient(glm::vec4 color);
    glm::vec4 getAmbient() const { return ambient; }

    /// Queues an outline box for this frame's overlay (drawn whether or not debugDraw is set).
    /// Position and size in world units, rotation in degrees.
    void debugBox(glm::vec2 position, glm::vec2 size, float rotationDegrees, glm::vec3 color);

    /// World sprites the last frame drew (those in view; shadows, masks and particles not counted).
    size_t spritesDrawnLastFrame() const { return spritesDrawn; }

    /// Last work of every frame, after everything else is drawn and before the swap: draws the frame
    /// overlay when it is on and reads a requested screenshot back. Costs a few checks while
    /// neither is wanted.
    void finishFrame();
    /// Shows or hides the frame overlay.
    void toggleFrameOverlay();
    const FrameOverlay& frameOverlay() const { return *overlay; }
    /// Saves the frame being drawn as a PNG in the user folder's "screenshots/" (F12).
    void requestScreenshot();
    /// Instanced draws of the sprite and UI batches in the last Draw.
    uint64_t drawCallsLastFrame() const { return drawCalls; }

    /// Flips the collider and navigation-grid overlay.
    void toggleDebugDraw() { debugDraw = !debugDraw; }
    bool isDebugDrawOn() const { return debugDraw; }

    /// Uploads one request's pixels into the registered texture under its key and frees them.
    /// Returns false, keeping the pixels, while that texture is not registered yet.
    bool MTTextureCreate(TextureUploadRequest& request);

    /// One step of the upload queue on the main thread: completes at most its front request.
    TextureQueueStep processTextureRequest();
    /// Whether uploads are still waiting (takes the queue's mutex).
    bool hasPendingTextureRequests() const { return !textureQueue.empty(); }

    /// The graphics loading task for a loading worker (its argument, the GraphicsEngine, is not
    /// needed): decodes the images of "../Assets/Art" and queues their uploads, then loads the
    /// animation clips and controllers of "../Assets/JSON"; logs each count.
    static void loadGraphicsAssets(void* engine);

    /// The uniform buffer of packed lights, bound at binding 0.
    uint32_t lightUBO = 0;

private:
    static void onTextureCreateRequest(Message& message);

    // The frame's passes, in drawing order.
    void collectVisible(const std::vector<Entity>& layerOrdered, glm::vec2 halfExtents);
    void uploadLights(glm::vec2 halfExtents);
    /// The light reaching each part of the view into the light map the lit sprites sample.
    void drawLightMap(glm::ivec2 windowSize, const glm::mat4& worldToNDC);
    /// The shadow receivers or the other sprites in view (halfExtents around the camera), lit.
    /// Where depthPays, opaque sprites are drawn nearest first against a depth buffer.
    void drawSpritePass(bool receivers, const glm::mat4& worldToNDC, glm::vec2 halfExtents);
    bool depthPays(bool receivers, glm::vec2 halfExtents) const;
    void drawShadowPass(const glm::mat4& worldToNDC);
    /// The sprites with their lights and shadows into the scene targets, their bloom, and the
    /// composite of both into the window.
    void drawScene(glm::ivec2 windowSize, const glm::mat4& worldToNDC, glm::vec2 halfExtents);
    void drawBloom(glm::ivec2 windowSize);
    void drawComposite();
    /// A frame with no sprite in view composites nothing but the clear colour, the same pixel all
    /// over the window. Once that pixel is known, such frames fill the window with it in one clear
    /// instead of clearing the scene targets and running the full-screen composite.
    /// Returns false, drawing nothing, when the pixel is not known for this frame's settings.
    bool fillPlainComposite();
    /// Reads the pixel the composite just drew, for frames with no sprite in view.
    void rememberPlainComposite();
    /// The colour-grading table when the scene enables one that exists, else null.
    const Texture* activeLUT() const;
    void drawLightMasks(const glm::mat4& worldToNDC);
    /// Whether program (name, for the log) built and may draw. A pass skips a program that did
    /// not, rather than drawing with it; the first skip of each program is logged.
    bool canDrawWith(const Shader* program, const std::string& name);
    /// Whether every program of the light map, sprite and shadow passes built (canDrawWith each).
    bool canDrawLitScene();
    /// The particle system's particles, into the window over the composite.
    void drawParticles(const glm::mat4& worldToNDC, glm::vec2 windowSize);
    void drawDebugOverlay(const glm::mat4& worldToNDC);
    void queueColliderOutlines(const glm::mat4& worldToNDC);
    void queueNavigationCells();
    /// Draws each shape as an outline and empties the list; the "debug" program must be bound.
    void drawDebugShapes(std::vector<DebugShape>& shapes);

    /// Built-in resources found by Load and the current frame's lists.
    std::unique_ptr<FrameResources> frame;
    TextureUploadQueue textureQueue;
    RenderTargets targets;
    std::vector<DebugShape> overlayQueue;
    std::vector<DebugShape> boxQueue;
    glm::vec4 ambient{1.0f};
    /// What a frame with no sprite in view showed, and the settings it depends on.
    struct PlainComposite {
        bool known = false;
        glm::vec4 clearColor{0.0f};
        uint32_t program = 0;
        glm::vec4 shown{0.0f};
    } plainComposite;
    size_t spritesDrawn = 0;
    uint64_t drawCalls = 0;
    bool debugDraw = false;
    std::unique_ptr<FrameOverlay> overlay;
    /// Made with the first screenshot, which needs the user folder.
    std::unique_ptr<ScreenshotCapture> screenshots;
};

} // namespace Qel
