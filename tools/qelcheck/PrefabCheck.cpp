#include "CheckKinds.h"

#include "ECS/Prefab/PrefabManager.h"

#include <fstream>

namespace Qel::Check {

// Prefab files, loaded by the prefab manager as at start-up (every file of the folder, whatever
// its extension), so that scenes can instantiate them.
void checkPrefabs(CheckContext& context) {
    PrefabManager& prefabs = *PrefabManager::instance();
    const auto files = context.files("Prefabs", {});
    if (files.size() > MAX_PREFABS)
        context.report(context.folder / "Prefabs", "",
                       std::to_string(files.size()) + " prefab files, expected at most " +
                           std::to_string(MAX_PREFABS) + "; the engine leaves the rest unread");
    // A file the prefab manager refuses is reported by its own log lines. One it takes without a
    // name is filed under "", which no scene can name.
    for (const auto& file : files) {
        const bool namelessBefore = prefabs.FindPrefab("") != nullptr;
        context.read(file, [&] {
            std::ifstream in(file);
            prefabs.LoadPrefab(in);
        });
        if (!namelessBefore && prefabs.FindPrefab(""))
            context.report(file, "name", "missing or empty, expected the prefab's name that scenes use");
    }
}

} // namespace Qel::Check
