#include "CheckKinds.h"

#include "ECS/SceneEntities.h"
#include "QelSceneManager/QelSceneManager.h"
#include "data/JSON.h"

#include <fstream>

namespace Qel::Check {

namespace {

/// The scene-level names the scene state hands on without looking them up itself: music, cursor
/// and the colour look-up table.
void checkSceneAssets(CheckContext& context, const std::filesystem::path& file, JSON& doc) {
    doc.cursor = nullptr;
    if (!doc.cd("Scene")) return;
    std::string name;
    if (doc.get("BGM", name) && !name.empty())
        context.requireAsset(file, "Scene.BGM", context.assets.sounds, name);
    if (doc.get("cursor", name) && !name.empty())
        context.requireAsset(file, "Scene.cursor", context.assets.cursors, name);
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
        checkSceneAssets(context, file, doc);
        DestroyAllSceneEntities();
    }
}

} // namespace Qel::Check
