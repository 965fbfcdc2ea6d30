#include "QelCore/QelSystems.h"

#include "ECS/ComponentManager.h"
#include "ECS/EntityManager.h"
#include "ECS/System/SystemManager.h"
#include "QelCore/Cursors.h"
#include "QelCore/FileHelper.h"
#include "QelCore/FrameRateController.h"
#include "QelCore/GameStateManager.h"
#include "QelCore/Input.h"
#include "QelCore/LogManager.h"
#include "QelCore/WindowHandler.h"
#include "QelSceneManager/NodeManager.h"
#include "data/AssetManager.h"
#include "data/NameHash.h"
#include "messaging/MessageManager.h"

namespace Qel {

namespace {

/// The existing manager if there is one, else a new one.
template <class T>
T* acquire() {
    return T::instance() ? T::instance() : new T();
}

template <class T>
void destroy() {
    delete T::instance();
}

} // namespace

Systems::Systems() {
    logManager = acquire<LogManager>();
    messageManager = acquire<MessageManager>();
    fileHelper = acquire<FileHelper>();
    windowHandler = acquire<WindowHandler>();
    frameRateController = acquire<FrameRateController>();
    gameStateManager = acquire<GameStateManager>();
    entityManager = acquire<EntityManager>();
    componentManager = acquire<ComponentManager>();
    systemManager = acquire<SystemManager>();
    assetManager = acquire<AssetManager>();
    nodeManager = acquire<NodeManager>();

    logManager->setEchoPriority(LOG_MED);
    logManager->setAddPriority(LOG_HIGH);

    logf(LOG_HIGH, "Cursors successfully loaded: %zu", loadCursors());

    initializeInput(windowHandler->getWindow());

    parseConfig();
}

Systems::~Systems() {
    if (WindowHandler* window = WindowHandler::instance()) window->setCursor(hashName("default"));
    if (AssetManager::instance()) destroyCursors();
    deleteManagers();
}

void Systems::deleteManagers() {
    destroy<NodeManager>();
    destroy<AssetManager>();
    destroy<SystemManager>();
    destroy<ComponentManager>();
    destroy<EntityManager>();
    destroy<GameStateManager>();
    destroy<FrameRateController>();
    destroy<WindowHandler>();
    destroy<FileHelper>();
    destroy<MessageManager>();
    destroy<LogManager>();
}

} // namespace Qel
