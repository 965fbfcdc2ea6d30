#include "QelSceneManager/QelSceneManager.h"

#include "ECS/Component/ComponentCatalogue.h"
#include "ECS/ComponentManager.h"
#include "ECS/Components/ModelMatrix.h"
#include "ECS/EntityManager.h"
#include "ECS/Prefab/PrefabManager.h"
#include "ECS/SceneEntities.h"
#include "ECS/System/SystemManager.h"
#include "QelAudio/Sound.h"
#include "QelCore/Cursors.h"
#include "QelCore/LogManager.h"
#include "QelCore/StrongAssert.h"
#include "QelRenderer/GraphicsEngine.h"
#include "QelSceneManager/NodeManager.h"
#include "data/JSON.h"
#include "data/JSONReadTrace.h"
#include "data/NameHash.h"
#include "messaging/MessageManager.h"

#include <fstream>
#include <memory>
#include <string>
#include <system_error>

namespace Qel {

namespace {

// The audio manager's messaging key: the hash of its type name.
constexpr uint64_t kAudioManagerKey = hashName("AudioManager");
constexpr uint64_t kWindowHandlerKey = hashName("WindowHandler");

void sendKey(MessageManager& messages, const char* message, uint64_t argument, uint64_t receiver) {
    messages.send(std::make_unique<MessageArgs<uint64_t>>(hashName(message), argument), receiver);
}

/// A scene entity: the prefab's instance when the object names one, else a bare entity.
/// {MAX_ENTITIES, false} for an unknown prefab (logged by Instantiate).
EntityHandle createEntity(const JSONArr::iter& object, EntityManager& entities) {
    std::string prefab;
    if (object.get("prefab", prefab)) return PrefabManager::instance()->Instantiate(prefab);
    const Entity entity = entities.CreateEntity();
    if (entity >= MAX_ENTITIES) return {MAX_ENTITIES, false};
    sceneEntities.insert(entity);
    return {entity, true};
}

/// Each component object replaces the entity's component of its kind outright: fields the object
/// leaves out take the component's defaults, not the prefab's values.
void overrideComponents(Entity entity, const JSONArr& overrides, ComponentManager& components) {
    for (const JSONArr::iter& object : overrides) {
        std::string name;
        object.get("name", name);
        const bool known = readComponentByName(hashName(name), object, [&](auto component) {
            using T = decltype(component);
            components.RemoveComponent<T>(entity);
            components.AddComponent<T>(entity, std::move(component));
        });
        if (!known) logf(LOG_MED, "Unknown component \"%s\" in a scene object skipped", name.c_str());
    }
}

/// Rebuilds the model matrix and places the collider, giving a shapeless collider a shape sized
/// by the Transform. A shapeless collider of an unknown type is removed.
void placeFromTransform(Entity entity, ComponentManager& components, SystemManager* systems) {
    if (!components.HasComponent<Transform>(entity)) return;
    Transform& transform = components.GetComponent<Transform>(entity);
    refreshModelMatrix(transform);
    if (!components.HasComponent<ColliderPtr>(entity)) return;

    ColliderPtr& collider = components.GetComponent<ColliderPtr>(entity);
    if (!collider.collider) {
        collider.collider = makeColliderShape(collider.type);
        if (!collider.collider) {
            logf(LOG_HIGH, "UNKNOWN COLLIDER TYPE ADDED \"%s\", REMOVING COLLIDER COMPONENT.",
                 collider.type.c_str());
            components.RemoveComponent<ColliderPtr>(entity);
            if (systems) systems->NotifyEntityChanged(entity);
            return;
        }
        collider.collider->setScale(glm::vec2(transform.scale));
    }
    collider.collider->update(glm::vec2(transform.position), transform.rotation);
}

} // namespace

bool SceneManager::setNextScene(const std::filesystem::path& path) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (!std::filesystem::is_regular_file(status)) return false;
    nextSceneStatus = status;
    nextScenePath = path;
    flags |= kFlagChangeRequested;
    return true;
}

bool SceneManager::getScene(JSON& doc) {
    if (doc.isParsed()) QEL_STRONG_ASSERT("Attempting to getScene into already parsed JSON");
    restart = !isSceneChangeRequested();
    flags &= ~kFlagChangeRequested;
    // Checked again: the file may have gone since setNextScene.
    std::error_code error;
    nextSceneStatus = std::filesystem::status(nextScenePath, error);
    if (!std::filesystem::is_regular_file(nextSceneStatus)) {
        log(LOG_HIGH, "next scene file path is invalid");
        return false;
    }
    std::ifstream in(nextScenePath);
    doc.parse(in);
    return doc.isParsed();
}

bool SceneManager::loadScene(JSON& doc) {
    if (!doc.isParsed()) {
        log(LOG_HIGH, "Unable to parse scene file");
        return false;
    }
    doc.cursor = nullptr;
    if (!doc.cd("Scene")) {
        log(LOG_HIGH, "No Scene found");
        return false;
    }
    QEL_ASSERT(EntityManager::instance() && ComponentManager::instance() && PrefabManager::instance(),
               "loadScene needs the EntityManager, the ComponentManager and the PrefabManager");
    drawLists.clear();
    queueMusicAndCursor(doc);

    const JSONArr gameObjects = doc.getArray("gameObjects");
    if (!gameObjects.isValid()) {
        log(LOG_HIGH, "unable to get game objects array in scene file");
        return false;
    }
    buildGameObjects(gameObjects);

    collisionLayers.loadFromScene(doc);
    if (NodeManager* nodes = NodeManager::instance()) nodes->loadFromScene(doc);
    readLighting(doc);
    return true;
}

void SceneManager::queueMusicAndCursor(const JSON& doc) const {
    std::string music;
    const bool hasMusic = doc.get("BGM", music) && !music.empty();
    if (hasMusic) JSONReadTrace::noteAssetReference(typeid(Sound), "BGM", music);
    std::string cursor;
    const bool named = doc.get("cursor", cursor) && !cursor.empty();
    if (named) JSONReadTrace::noteAssetReference(typeid(cursorWrapper), "cursor", cursor);
    MessageManager* messages = MessageManager::instance();
    if (!messages) return;
    if (hasMusic) sendKey(*messages, "loopBGM", hashName(music), kAudioManagerKey);
    sendKey(*messages, "setCursor", hashName(named ? cursor : "Default"), kWindowHandlerKey);
}

void SceneManager::buildGameObjects(const JSONArr& gameObjects) {
    EntityManager& entities = *EntityManager::instance();
    size_t started = 0;
    for (const JSONArr::iter& object : gameObjects) {
        // The scene is played with what was built.
        if (entities.LivingCount() >= MAX_ENTITIES) {
            logf(LOG_CRITICAL, "Entity limit reached: %zu of the scene's %zu game objects were not built",
                 gameObjects.size() - started, gameObjects.size());
            return;
        }
        ++started;
        buildGameObject(object, WithoutComponents::Destroy);
    }
}

EntityHandle SceneManager::buildGameObject(const JSONArr::iter& object, WithoutComponents rule) {
    EntityManager& entities = *EntityManager::instance();
    ComponentManager& components = *ComponentManager::instance();
    SystemManager* systems = SystemManager::instance();

    const EntityHandle handle = createEntity(object, entities);
    if (!handle.second) return handle;
    const Entity entity = handle.first;
    EntityInfo* info = entities.GetInfo(entity);
    object.get("name", info->name);
    object.get("tag", info->tag);

    const JSONArr overrides = object.getArray("components");
    if (!overrides.isValid()) {
        if (rule == WithoutComponents::Destroy) {
            log(LOG_HIGH, "unable to get components");
            DestroyObject(handle);
            return {MAX_ENTITIES, false};
        }
        if (entities.GetSignature(entity).none()) {
            log(LOG_HIGH, "Unable to get components");
            DestroyObject(handle);
            return {MAX_ENTITIES, false};
        }
    }
    overrideComponents(entity, overrides, components);

    bool disabled = false;
    if (object.get("disabled", disabled) && disabled)
        entities.GetInfo(entity)->flags |= EntityInfo::kDisabled;

    placeFromTransform(entity, components, systems);
    if (components.HasComponent<Transform>(entity)) {
        drawLists.addWorld(entity);
    } else if (components.HasComponent<UITransform>(entity)) {
        drawLists.addUI(entity);
    }
    if (systems) systems->NotifyEntityChanged(entity);
    return handle;
}

void SceneManager::readLighting(JSON& doc) {
    doc.cursor = nullptr;
    if (!doc.cd("Scene") || !doc.cd("lighting")) {
        lighting.ambient = glm::vec4(1.0f);
    } else {
        glm::vec4 ambient(0.0f);
        doc.get("ambientX", ambient.x);
        doc.get("ambientY", ambient.y);
        doc.get("ambientZ", ambient.z);
        doc.get("ambientW", ambient.w);
        lighting.ambient = ambient;
        doc.get("isLUT", lighting.isLUT);
        doc.get("lutName", lighting.lutName);
    }
    if (GraphicsEngine* graphics = GraphicsEngine::instance()) graphics->setAmbient(lighting.ambient);
}

} // namespace Qel
