#pragma once

#include "QelCore/Singleton.h"

namespace Qel {

class LogManager;
class MessageManager;
class FileHelper;
class WindowHandler;
class GraphicsEngine;
class FrameRateController;
class GameStateManager;
class EntityManager;
class ComponentManager;
class SystemManager;
class PrefabManager;
class AssetManager;
class SceneManager;
class NodeManager;
class AudioManager;

/// Owns every engine manager: creates them in a fixed order, performs start-up, and deletes
/// them in exactly the reverse order.
class Systems : public Singleton<Systems> {
public:
    /// Creates the managers (reusing any that already exist) and runs start-up.
    Systems();
    /// Shutdown: stops the loading workers, restores the standard cursor, releases the cursors,
    /// deletes the managers.
    ~Systems() override;

    /// Deletes every existing manager in reverse creation order; missing ones are skipped.
    static void deleteManagers();

    /// Reads, validates, applies and rewrites the user configuration; last step of start-up.
    void parseConfig();

    /// Advances the background loading by one step; true once everything is loaded. Called once
    /// per frame by the splash. Textures are uploaded here, one per call, on the GL thread. A
    /// strong assertion raised on a worker is raised here, once every other worker has stopped.
    bool pollLoading();

    // In creation order.
    LogManager* logManager = nullptr;
    MessageManager* messageManager = nullptr;
    FileHelper* fileHelper = nullptr;
    WindowHandler* windowHandler = nullptr;
    GraphicsEngine* graphicsEngine = nullptr;
    FrameRateController* frameRateController = nullptr;
    GameStateManager* gameStateManager = nullptr;
    EntityManager* entityManager = nullptr;
    ComponentManager* componentManager = nullptr;
    SystemManager* systemManager = nullptr;
    PrefabManager* prefabManager = nullptr;
    AssetManager* assetManager = nullptr;
    SceneManager* sceneManager = nullptr;
    NodeManager* nodeManager = nullptr;
    AudioManager* audioManager = nullptr;
    bool prefabPhaseStarted = false;

private:
    /// One step of pollLoading: a texture upload or a look at the workers.
    bool pollLoadingStep();
};

} // namespace Qel
