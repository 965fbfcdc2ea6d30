#include "QelCore/QelSystems.h"

#include "ECS/ComponentManager.h"
#include "ECS/Component/RegisterComponents.h"
#include "ECS/EntityManager.h"
#include "ECS/Prefab/PrefabManager.h"
#include "ECS/System/RegisterSystems.h"
#include "ECS/System/SystemManager.h"
#include "ECS/System/Systems/DialogueSystem.h"
#include "ECS/System/Systems/PauseMenuManager.h"
#include "Physics/PhysicsSystem.h"
#include "QelAudio/AudioManager.h"
#include "QelCore/Cursors.h"
#include "QelCore/FileHelper.h"
#include "QelCore/FrameRateController.h"
#include "QelCore/GameStateManager.h"
#include "QelCore/HotReload.h"
#include "QelCore/Input.h"
#include "QelCore/InputRecording.h"
#include "QelCore/LoadingTask.h"
#include "QelCore/LogManager.h"
#include "QelCore/StrongAssert.h"
#include "QelCore/WindowHandler.h"
#include "QelRenderer/GraphicsEngine.h"
#include "QelSceneManager/NodeManager.h"
#include "QelSceneManager/QelSceneManager.h"
#include "QelScripting/ScriptAssets.h"
#include "data/AssetManager.h"
#include "data/NameHash.h"
#include "messaging/MessageManager.h"

#include <chrono>
#include <optional>
#include <string>
#include <thread>

namespace Qel {

namespace {

bool gamePaused() {
    return paused;
}

bool dialogueActive() {
    const DialogueSystem* dialogue = DialogueSystem::active();
    return dialogue && dialogue->isActive();
}

void advanceDialogue() {
    if (DialogueSystem* dialogue = DialogueSystem::active()) dialogue->nextLine();
}

bool systemManagerExists() {
    return SystemManager::instance() != nullptr;
}

void toggleColliderOutlines() {
    if (GraphicsEngine* graphics = GraphicsEngine::instance()) graphics->toggleDebugDraw();
}

void toggleQuadtreeOutlines() {
    if (SystemManager* systems = SystemManager::instance())
        if (std::shared_ptr<PhysicsSystem> physics = systems->GetSystem<PhysicsSystem>())
            physics->toggleQuadtreeOutlines();
}

void toggleFrameOverlay() {
    if (GraphicsEngine* graphics = GraphicsEngine::instance()) graphics->toggleFrameOverlay();
}

void takeScreenshot() {
    if (GraphicsEngine* graphics = GraphicsEngine::instance()) graphics->requestScreenshot();
}

void loadPrefabs(void*) {
    logf(LOG_HIGH, "Prefabs successfully loaded: %zu", PrefabManager::instance()->LoadAllPrefabs());
}

/// The existing manager if there is one, else a new one.
template <class T>
T* acquire() {
    return T::instance() ? T::instance() : new T();
}

template <class T>
void destroy() {
    delete T::instance();
}

/// The engine's teardown after a strong assertion: the workers first, since they use the managers.
void shutdownAfterStrongAssert() {
    LoadingTasks::stopAll();
    Systems::deleteManagers();
    delete Systems::instance();
}

} // namespace

Systems::Systems() {
    // Registered first, so an assertion raised while a manager is being built tears down the rest.
    if (instance() == this) setStrongAssertShutdown(shutdownAfterStrongAssert);
    logManager = acquire<LogManager>();
    messageManager = acquire<MessageManager>();
    fileHelper = acquire<FileHelper>();
    windowHandler = acquire<WindowHandler>();
    graphicsEngine = acquire<GraphicsEngine>();
    frameRateController = acquire<FrameRateController>();
    gameStateManager = acquire<GameStateManager>();
    entityManager = acquire<EntityManager>();
    componentManager = acquire<ComponentManager>();
    systemManager = acquire<SystemManager>();
    prefabManager = acquire<PrefabManager>();
    assetManager = acquire<AssetManager>();
    sceneManager = acquire<SceneManager>();
    nodeManager = acquire<NodeManager>();
    audioManager = acquire<AudioManager>();

    logManager->setEchoPriority(LOG_MED);
    logManager->setAddPriority(LOG_HIGH);

    graphicsEngine->Startup();
    registerComponentTypes(*componentManager, *prefabManager);
    registerSystems(*systemManager);
    DebugHotkeyActions hotkeys;
    hotkeys.systemManagerExists = systemManagerExists;
    hotkeys.gamePaused = gamePaused;
    hotkeys.dialogueActive = dialogueActive;
    hotkeys.advanceDialogue = advanceDialogue;
    hotkeys.toggleColliderOutlines = toggleColliderOutlines;
    hotkeys.toggleQuadtreeOutlines = toggleQuadtreeOutlines;
    hotkeys.reloadContent = hotReload;
    hotkeys.toggleFrameOverlay = toggleFrameOverlay;
    hotkeys.takeScreenshot = takeScreenshot;
    gameStateManager->getDebugConsole().setHotkeyActions(hotkeys);
    graphicsEngine->Load();

    logf(LOG_HIGH, "Cursors successfully loaded: %zu", loadCursors());

    LoadingTasks::start(GraphicsEngine::loadGraphicsAssets, graphicsEngine);
    LoadingTasks::start(loadScriptsTask, nullptr);

    initializeInput(windowHandler->getWindow());

    parseConfig();
}

Systems::~Systems() {
    LoadingTasks::stopAll();
    if (instance() == this) setStrongAssertShutdown(nullptr);
    if (WindowHandler* window = WindowHandler::instance()) window->setCursor(hashName("default"));
    if (AssetManager::instance()) destroyCursors();
    deleteManagers();
}

bool Systems::pollLoading() {
    // A recorded run must see loading end on the same frame as its replay: it waits here instead.
    if (isRunRecorded()) {
        while (!pollLoadingStep())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        return true;
    }
    return pollLoadingStep();
}

bool Systems::pollLoadingStep() {
    if (const std::optional<std::string> failure = LoadingTasks::failure()) {
        LoadingTasks::stopAll();
        raiseStrongAssert(*failure);
    }
    switch (graphicsEngine->processTextureRequest()) {
    case TextureQueueStep::Retry:
    case TextureQueueStep::UploadedMore: return false;
    case TextureQueueStep::Empty:
    case TextureQueueStep::UploadedLast: break;
    }
    if (LoadingTasks::empty() && prefabPhaseStarted) return true;
    if (!LoadingTasks::allDone()) return false;
    LoadingTasks::clear();
    if (!prefabPhaseStarted) {
        // Prefabs refer to textures, so they wait until every queued upload has been made.
        if (graphicsEngine->hasPendingTextureRequests()) return false;
        LoadingTasks::start(loadPrefabs, nullptr);
        prefabPhaseStarted = true;
        return false;
    }
    return prefabPhaseStarted;
}

void Systems::deleteManagers() {
    destroy<AudioManager>();
    destroy<NodeManager>();
    destroy<SceneManager>();
    destroy<AssetManager>();
    destroy<PrefabManager>();
    destroy<SystemManager>();
    destroy<ComponentManager>();
    destroy<EntityManager>();
    destroy<GameStateManager>();
    destroy<FrameRateController>();
    destroy<GraphicsEngine>();
    destroy<WindowHandler>();
    destroy<FileHelper>();
    destroy<MessageManager>();
    destroy<LogManager>();
}

} // namespace Qel
