// Loads one prefab file of arbitrary bytes into a fresh prefab manager, instantiates it when it
// loaded and destroys the instance again. Prefabs are never unloaded, so each input gets its own
// manager and memory stays flat.
#include "ECS/Component/ComponentCatalogue.h"
#include "ECS/Component/RegisterComponents.h"
#include "ECS/Prefab/PrefabManager.h"
#include "ECS/SceneEntities.h"
#include "QelSceneManager/QelSceneManager.h"
#include "data/JSON.h"

#include "EcsWorld.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

namespace {

struct World : EcsWorld {
    Qel::SceneManager scenes;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static World* world = new World();
    const std::string text(reinterpret_cast<const char*>(data), size);

    Qel::PrefabManager prefabs;
    Qel::forEachComponentType([&]<class T>() { prefabs.RegisterComponent<T>(); });
    std::istringstream in(text);
    if (prefabs.LoadPrefab(in)) {
        // The same file again repeats a loaded name.
        std::istringstream again(text);
        if (prefabs.LoadPrefab(again) || prefabs.PrefabCount() != 1) std::abort();

        Qel::JSON doc;
        std::istringstream named(text);
        doc.parse(named);
        std::string name;
        doc.get("name", name);
        if (!prefabs.Instantiate(name).second) std::abort();
    }
    Qel::DestroyAllSceneEntities();
    world->scenes.drawLists.clear();
    if (world->entities.LivingCount() != 0) std::abort();
    return 0;
}
