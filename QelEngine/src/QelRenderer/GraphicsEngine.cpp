#include "QelRenderer/GraphicsEngine.h"

#include "ECS/Components/ModelMatrix.h"
#include "QelCore/FileHelper.h"
#include "QelCore/FrameRateController.h"
#include "QelCore/LogManager.h"
#include "QelCore/StrongAssert.h"
#include "QelCore/WindowHandler.h"
#include "QelRenderer/AnimationClip.h"
#include "QelRenderer/AnimationController.h"
#include "QelRenderer/AnimationLoading.h"
#include "QelRenderer/CameraMath.h"
#include "QelRenderer/CameraState.h"
#include "QelRenderer/FrameOverlay.h"
#include "QelRenderer/FrameResources.h"
#include "QelRenderer/ScreenshotCapture.h"
#include "QelRenderer/Shader.h"
#include "QelRenderer/Texture.h"
#include "QelSceneManager/QelSceneManager.h"
#include "data/AssetManager.h"
#include "messaging/MessageManager.h"

#include <GL/glew.h>
#include <glm/gtc/matrix_transform.hpp>

#include <string>
#include <tuple>
#include <utility>

namespace Qel {

GraphicsEngine::GraphicsEngine()
    : frame(std::make_unique<FrameResources>()), overlay(std::make_unique<FrameOverlay>()) {}

GraphicsEngine::~GraphicsEngine() {
    // Screenshots still on their way are written before the context goes.
    screenshots.reset();
    overlay.reset();
    targets.destroy();
    // Later requests then find no handler and their senders free the pixels themselves.
    if (MessageManager* messages = MessageManager::instance())
        messages->removeReceiver(kGraphicsMultiThreadReceiver);
}

void GraphicsEngine::Startup() {
    // The core profile hides the entry points GLEW looks for unless it probes them all.
    glewExperimental = GL_TRUE;
    const GLenum code = glewInit();
    if (code != GLEW_OK) {
        QEL_STRONG_ASSERT(std::string("Unable to initialize GLEW - error: ") +
                          reinterpret_cast<const char*>(glewGetErrorString(code)));
    }
    // glewInit asks for the extension string the old way, which a core context rejects; drop the
    // error it leaves so the first real error is not hidden behind it.
    while (glGetError() != GL_NO_ERROR) {
    }
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glLineWidth(2.0f);
}

void GraphicsEngine::createRenderTargets() {
    WindowHandler* window = WindowHandler::instance();
    targets.create(window ? window->getCurrentSize() : glm::ivec2(1280, 720));
}

void GraphicsEngine::destroyRenderTargets() {
    targets.destroy();
    if (SceneManager* scenes = SceneManager::instance()) scenes->drawLists.clear();
}

void GraphicsEngine::setAmbient(glm::vec4 color) {
    ambient = color;
    // The passes skip a program that did not build; so does this.
    if (!frame->lightMap || !frame->lightMap->isLinked) return;
    frame->lightMap->use();
    frame->lightMap->setVec3("uAmbientColor", glm::vec3(color) * color.w);
    Shader::unbind();
}

void GraphicsEngine::debugBox(glm::vec2 position, glm::vec2 size, float rotationDegrees, glm::vec3 color) {
    const CameraState& camera = cameraState();
    glm::mat4 model = glm::translate(glm::mat4(1.0f), glm::vec3(position, 0.0f));
    model = glm::rotate(model, rotationDegrees * kDegreesToRadians, glm::vec3(0.0f, 0.0f, 1.0f));
    model = glm::scale(model, glm::vec3(size, 1.0f));
    boxQueue.push_back({camera.projection * camera.view * model, color});
}

void GraphicsEngine::finishFrame() {
    const bool capturing = screenshots && screenshots->busy();
    if (!overlay->isOn() && !capturing) return;
    const DrawPhase drawing;
    const glm::vec2 windowSize = currentWindowSize();
    if (overlay->isOn() && frame->uiBatch && frame->ui && frame->ui->isLinked)
        overlay->draw(*frame->uiBatch, *frame->ui, windowSize, cameraState().screenProjection, drawCalls);
    if (capturing) screenshots->endFrame(glm::ivec2(windowSize));
}

void GraphicsEngine::toggleFrameOverlay() {
    overlay->toggle();
}

void GraphicsEngine::requestScreenshot() {
    if (!screenshots) {
        const FileHelper* files = FileHelper::instance();
        if (!files) {
            log(LOG_HIGH, "Screenshot skipped: there is no user folder to save it in");
            return;
        }
        screenshots = std::make_unique<ScreenshotCapture>(files->getUserPath("screenshots"));
    }
    screenshots->request();
}

void GraphicsEngine::subscribeTextureRequests() {
    MessageManager* messages = MessageManager::instance();
    if (!messages) QEL_STRONG_ASSERT("Message Manager not ready!");
    messages->getReceiver(kGraphicsMultiThreadReceiver);
    BroadcastReceiver* receiver = messages->findReceiver(kGraphicsMultiThreadReceiver);
    if (!receiver) QEL_STRONG_ASSERT("Failed to set up Graphics Multi Thread Receiver");
    receiver->addHandler(kTextureCreateRequest, &GraphicsEngine::onTextureCreateRequest);
}

void GraphicsEngine::onTextureCreateRequest(Message& message) {
    auto* args = message.argsAs<uint64_t, uint32_t, uint32_t, int, int, uint8_t*>();
    if (!args) return;
    auto& [key, sRGBInternalFormat, format, wrapMode, filterMode, pixels] = *args;
    TextureUploadRequest request{key,      sRGBInternalFormat, format,
                                 wrapMode, filterMode,         DecodedPixels(pixels)};
    GraphicsEngine* engine = instance();
    if (!engine) {
        logf(LOG_HIGH, "no graphics engine for the upload of texture %zu", static_cast<size_t>(key));
        return;
    }
    engine->textureQueue.push(std::move(request));
}

bool GraphicsEngine::MTTextureCreate(TextureUploadRequest& request) {
    AssetManager* assets = AssetManager::instance();
    if (!assets) QEL_STRONG_ASSERT("AssetManager not ready!");
    Registry<Texture>* textures = assets->findRegistry<Texture>();
    Texture* texture = textures ? textures->get(request.key) : nullptr;
    if (!texture) {
        logf(LOG_LOW, "Texture placeholder %zu does not exist, will revisit!",
             static_cast<size_t>(request.key));
        return false;
    }
    texture->upload(texture->sRGB ? request.sRGBInternalFormat : request.format, request.format,
                    request.wrapMode, request.filterMode, request.pixels.get());
    request.pixels.reset();
    return true;
}

TextureQueueStep GraphicsEngine::processTextureRequest() {
    return textureQueue.completeFront(
        [this](TextureUploadRequest& request) { return MTTextureCreate(request); });
}

namespace {

/// Logs "<what> successfully loaded: <count>" with the size of V's registry (read under its mutex).
template <class V> void reportLoaded(const char* what) {
    size_t count = 0;
    if (AssetManager* assets = AssetManager::instance()) {
        if (Registry<V>* registry = assets->findRegistry<V>()) count = registry->size();
    }
    logf(LOG_HIGH, "%s successfully loaded: %zu", what, count);
}

} // namespace

// Each kind of graphics asset is one loader call and one report here.
void GraphicsEngine::loadGraphicsAssets(void*) {
    loadTextureFolder("../Assets/Art", TextureUpload::Queued);
    reportLoaded<Texture>("Textures");
    loadAnimationFolder("../Assets/JSON");
    reportLoaded<Graphics::Clip>("Animation Clips");
    reportLoaded<AnimatorController>("Animation Controllers");
}

} // namespace Qel
