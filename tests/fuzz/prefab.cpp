// Loads one prefab file of arbitrary bytes into a fresh prefab manager, instantiates it when it
// loaded and destroys the instance again. Prefabs are never unloaded, so each input gets its own
// manager and memory stays flat.
#include "ECS/Component/ComponentCatalogue.h"
#include "ECS/Component/RegisterComponents.h"
#include "ECS/Prefab/PrefabManager.h"
#include "ECS/SceneEntities.h"
#include "QelSceneManager/QelSceneManager.h"

#include "FuzzSupport.h"

namespace {

struct World : fuzz::EcsWorld {
    Qel::SceneManager scenes;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static World* world = new World();
    const std::string text = fuzz::text(data, size);

    Qel::PrefabManager prefabs;
    Qel::forEachComponentType([&]<class T>() { prefabs.RegisterComponent<T>(); });
    std::istringstream in(text);
    if (prefabs.LoadPrefab(in)) {
        // The same file again repeats a loaded name.
        std::istringstream again(text);
        fuzz::require(!prefabs.LoadPrefab(again) && prefabs.PrefabCount() == 1);
        std::string name;
        fuzz::parse(text).get("name", name);
        fuzz::require(prefabs.Instantiate(name).second);
    }
    Qel::DestroyAllSceneEntities();
    world->scenes.drawLists.clear();
    fuzz::require(world->entities.LivingCount() == 0);
    return 0;
}
