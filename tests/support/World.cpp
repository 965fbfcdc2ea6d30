#include "World.h"

#include "ECS/Component/RegisterComponents.h"
#include "ECS/SceneEntities.h"
#include "data/JSON.h"

namespace Qel::test {

World::World(Part part) {
    const bool scene = part == Part::Scene;
    make<LogManager>();
    if (scene) make<MessageManager>();
    make<EntityManager>();
    make<ComponentManager>();
    make<SystemManager>();
    if (!scene) return;
    make<PrefabManager>();
    make<AssetManager>();
    make<SceneManager>();
    make<NodeManager>();
}

World::~World() {
    // The scene set is process-wide: the next test starts from an empty scene.
    DestroyAllSceneEntities();
    while (!owned.empty())
        owned.pop_back();
}

void World::catalogue() {
    if (prefabs) {
        registerComponentTypes(*components, *prefabs);
        return;
    }
    assignComponentTypeNames();
    forEachComponentType([&]<class T>() { components->RegisterComponent<T>(); });
}

bool World::loadScene(const std::filesystem::path& file) {
    JSON doc;
    return scenes->setNextScene(file) && scenes->getScene(doc) && scenes->loadScene(doc);
}

Entity sceneEntityNamed(const std::string& name) {
    for (Entity entity : sceneEntities) {
        if (EntityManager::instance()->GetInfo(entity)->name == name) return entity;
    }
    return MAX_ENTITIES;
}

} // namespace Qel::test
