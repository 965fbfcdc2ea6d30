#include "GameStates/CommonState.h"

#include "ECS/SceneEntities.h"
#include "ECS/System/SystemManager.h"
#include "QelCore/FrameRateController.h"
#include "QelRenderer/GraphicsEngine.h"
#include "QelRenderer/ScreenClear.h"
#include "data/NameHash.h"
#include "messaging/MessageManager.h"

#include <array>
#include <memory>

namespace GS_COMMON {

namespace {

constexpr uint64_t kAudioManagerKey = Qel::hashName("AudioManager");

constexpr std::array<const char*, 6> kAudioResumeMessages{"unpauseSFX",  "unpauseBGM",  "unpauseMFX",
                                                          "unmuffleSFX", "unmuffleBGM", "unmuffleMFX"};

} // namespace

void load() {
    if (Qel::SystemManager* systems = Qel::SystemManager::instance()) systems->LoadAll();
}

void unload() {
    if (Qel::SystemManager* systems = Qel::SystemManager::instance()) systems->UnloadAll();
}

void free() {
    if (Qel::GraphicsEngine* graphics = Qel::GraphicsEngine::instance()) graphics->destroyRenderTargets();
    Qel::DestroyAllSceneEntities();
}

void resumeAudio() {
    Qel::MessageManager* messages = Qel::MessageManager::instance();
    if (!messages) return;
    for (const char* name : kAudioResumeMessages)
        messages->send(std::make_unique<Qel::Message>(Qel::hashName(name)), kAudioManagerKey);
    // Nobody listening is fine: sendImmediate then drops the message.
    Qel::Message unpause(Qel::hashName("UnPauseSystem"));
    messages->sendImmediate(unpause, Qel::MessageManager::kBroadcast);
}

void startScene(const glm::vec4& clearColor) {
    if (Qel::SystemManager* systems = Qel::SystemManager::instance()) systems->InitializeAll();
    // The renderer's presence also means a current GL context, which the clear colour needs.
    Qel::GraphicsEngine* graphics = Qel::GraphicsEngine::instance();
    if (graphics) graphics->createRenderTargets();
    resumeAudio();
    if (graphics) Qel::setClearColor(clearColor.r, clearColor.g, clearColor.b, clearColor.a);
}

void updateSystems() {
    Qel::SystemManager* systems = Qel::SystemManager::instance();
    Qel::FrameRateController* timing = Qel::FrameRateController::instance();
    if (systems && timing) systems->UpdateAll(timing->getDeltaTime());
}

} // namespace GS_COMMON
