// Builds scenes from arbitrary bytes with the whole component catalogue registered and a few
// prefabs loaded, then destroys the scene, so every input starts from an empty world and memory
// stays flat however long the run.
#include "ECS/Component/RegisterComponents.h"
#include "ECS/ComponentManager.h"
#include "ECS/EntityManager.h"
#include "ECS/Prefab/PrefabManager.h"
#include "ECS/SceneEntities.h"
#include "ECS/System/SystemManager.h"
#include "QelCore/LogManager.h"
#include "QelSceneManager/NodeManager.h"
#include "QelSceneManager/QelSceneManager.h"
#include "data/AssetManager.h"
#include "data/JSON.h"
#include "messaging/MessageManager.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <sstream>
#include <string>

namespace {

// Prefabs the inputs can name: one with a collider to complete, one with an empty component list
// and one with no "component" object at all.
constexpr const char* kPrefabs[] = {
    R"({"name": "Crate", "tag": "Prop", "component": {"types": [{"name": "Transform", "rotation": 45.0},
        {"name": "ColliderPtr", "type": "Circle"}, {"name": "Layer", "layerName": "Props"}]}})",
    R"({"name": "Marker", "component": {"types": []}})",
    R"({"name": "Spawn", "tag": "SpawnPoint"})",
};

struct World {
    World() {
        // "Object Deleted" and the collision-layer dump would only slow the run down.
        std::cout.setstate(std::ios::badbit);
        log.setAddPriority(Qel::LOG_CRITICAL);
        log.setEchoPriority(Qel::LOG_CRITICAL);
        Qel::registerComponentTypes(components, prefabs);
        for (const char* text : kPrefabs) {
            std::istringstream in(text);
            if (!prefabs.LoadPrefab(in)) std::abort();
        }
    }

    Qel::LogManager log;
    Qel::MessageManager messages;
    Qel::EntityManager entities;
    Qel::ComponentManager components;
    Qel::SystemManager systems;
    Qel::PrefabManager prefabs;
    Qel::AssetManager assets;
    Qel::SceneManager scenes;
    Qel::NodeManager nodes;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static World* world = new World();

    Qel::JSON doc;
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    doc.parse(in);
    world->scenes.loadScene(doc);

    Qel::DestroyAllSceneEntities();
    world->messages.dispatchAll();
    if (world->entities.LivingCount() != 0) std::abort();
    return 0;
}
