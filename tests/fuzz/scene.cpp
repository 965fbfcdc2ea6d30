// Builds scenes from arbitrary bytes with the whole component catalogue registered and a few
// prefabs loaded, then destroys the scene, so every input starts from an empty world and memory
// stays flat however long the run.
#include "ECS/Prefab/PrefabManager.h"
#include "ECS/SceneEntities.h"
#include "QelSceneManager/NodeManager.h"
#include "QelSceneManager/QelSceneManager.h"
#include "messaging/MessageManager.h"

#include "FuzzSupport.h"

#include <iostream>

namespace {

// Prefabs the inputs can name: one with a collider to complete, one with an empty component list
// and one with no "component" object at all.
constexpr const char* kPrefabs[] = {
    R"({"name": "Crate", "tag": "Prop", "component": {"types": [{"name": "Transform", "rotation": 45.0},
        {"name": "ColliderPtr", "type": "Circle"}, {"name": "Layer", "layerName": "Props"}]}})",
    R"({"name": "Marker", "component": {"types": []}})",
    R"({"name": "Spawn", "tag": "SpawnPoint"})",
};

struct World : fuzz::EcsWorld {
    World() {
        // "Object Deleted" and the collision-layer dump would only slow the run down.
        std::cout.setstate(std::ios::badbit);
        Qel::forEachComponentType([&]<class T>() { prefabs.RegisterComponent<T>(); });
        for (const char* text : kPrefabs) {
            std::istringstream in(text);
            fuzz::require(prefabs.LoadPrefab(in));
        }
    }

    Qel::MessageManager messages;
    Qel::PrefabManager prefabs;
    Qel::SceneManager scenes;
    Qel::NodeManager nodes;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static World* world = new World();

    Qel::JSON doc = fuzz::parse(fuzz::text(data, size));
    world->scenes.loadScene(doc);

    Qel::DestroyAllSceneEntities();
    world->messages.dispatchAll();
    fuzz::require(world->entities.LivingCount() == 0);
    return 0;
}
