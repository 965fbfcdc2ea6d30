#pragma once

// The engine's managers as a test needs them: created in the order the engine creates them and
// deleted in reverse, so a test sees the same lifetimes as the game. Ecs makes the log and the
// entity, component and system managers; Scene adds messages, prefabs, assets, scenes and the
// navigation nodes. A manager that already exists (a window test's message manager, say) is used
// and left to its owner, as the engine's own start-up does. The members always reach the current
// instance, so a test may remove<T>() one and make its own. catalogue() registers the shipped
// component types (registerSystems() from the engine adds its systems); spawn() makes a scene
// entity from components, as a scene file would; add<S>() registers a system. The scene is emptied when the world goes.
#include "ECS/ComponentManager.h"
#include "ECS/EntityManager.h"
#include "ECS/Prefab/PrefabManager.h"
#include "ECS/SceneEntities.h"
#include "ECS/System/SystemManager.h"
#include "QelCore/LogManager.h"
#include "QelSceneManager/NodeManager.h"
#include "QelSceneManager/QelSceneManager.h"
#include "data/AssetManager.h"
#include "messaging/MessageManager.h"

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace Qel::test {

/// The current instance of manager T, whoever made it (nullptr when there is none).
template <class T> struct Ref {
    T* operator->() const { return T::instance(); }
    T& operator*() const { return *T::instance(); }
    explicit operator bool() const { return T::instance() != nullptr; }
};

/// The scene entity named `name`; MAX_ENTITIES when there is none.
Entity sceneEntityNamed(const std::string& name);

class World {
public:
    enum class Part { Ecs, Scene };

    explicit World(Part part = Part::Scene);
    ~World();
    World(const World&) = delete;
    World& operator=(const World&) = delete;

    /// Registers the component catalogue with the component manager (and the prefab manager).
    void catalogue();
    /// Deletes manager T if this world made it.
    template <class T> void remove() {
        std::erase_if(owned, [](const auto& manager) { return manager.get() == T::instance(); });
    }

    /// Registers system S under `name`, which is also the name its messages are addressed to.
    template <class S> std::shared_ptr<S> add(const char* name) {
        TypeName<S>::assign(name);
        return systems->template RegisterSystem<S>();
    }

    /// A new scene entity with these components, announced to the systems.
    template <class... Parts> Entity spawn(Parts... parts) {
        const Entity entity = entities->CreateEntity();
        (components->AddComponent(entity, std::move(parts)), ...);
        sceneEntities.insert(entity);
        systems->NotifyEntityChanged(entity);
        return entity;
    }
    /// Reads the scene file and builds it, as a scene change does.
    bool loadScene(const std::filesystem::path& file);
    Entity named(const std::string& name) const { return sceneEntityNamed(name); }
    template <class T> T& get(Entity entity) { return components->GetComponent<T>(entity); }
    template <class T> bool has(Entity entity) { return components->HasComponent<T>(entity); }

    Ref<LogManager> log;
    Ref<MessageManager> messages;
    Ref<EntityManager> entities;
    Ref<ComponentManager> components;
    Ref<SystemManager> systems;
    Ref<PrefabManager> prefabs;
    Ref<AssetManager> assets;
    Ref<SceneManager> scenes;
    Ref<NodeManager> nodes;

private:
    template <class T> void make() {
        if (!T::instance()) owned.push_back(std::make_unique<T>());
    }

    /// What this world made, in creation order.
    std::vector<std::unique_ptr<SBPtrClass>> owned;
};

} // namespace Qel::test
