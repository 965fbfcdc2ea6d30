#include "CheckKinds.h"

#include "ECS/SceneEntities.h"
#include "QelSceneManager/QelSceneManager.h"
#include "data/JSON.h"

#include <fstream>
#include <vector>

namespace Qel::Check {

namespace {

/// What the scene hands on without looking it up itself: its music, which every scene of this
/// game names (the name itself is checked by the trace of the scene manager's reading), and the
/// colour look-up table.
void checkSceneLevel(CheckContext& context, const std::filesystem::path& file, JSON& doc) {
    doc.cursor = nullptr;
    if (!doc.cd("Scene")) return;
    std::string name;
    if (!doc.get("BGM", name) || name.empty())
        context.report(file, "Scene.BGM", "missing, expected the name of the scene's music");
    if (doc.cd("lighting") && doc.get("lutName", name) && !name.empty())
        context.requireAsset(file, "Scene.lighting.lutName", context.assets.textures, name);
}

} // namespace

// Scene files, built into a world by the scene manager exactly as the scene state does, then
// emptied again.
void checkScenes(CheckContext& context) {
    SceneManager& scenes = *SceneManager::instance();
    for (const auto& file : context.files("Scenes", {".json"})) {
        JSON doc;
        context.read(file, [&] {
            std::ifstream in(file);
            doc.parse(in);
            // A file the scene manager cannot use is reported by its own log lines.
            scenes.loadScene(doc);
        });
        checkSceneLevel(context, file, doc);
        checkMenuEntities(context, file, std::vector<Entity>(sceneEntities.begin(), sceneEntities.end()));
        DestroyAllSceneEntities();
    }
}

} // namespace Qel::Check
