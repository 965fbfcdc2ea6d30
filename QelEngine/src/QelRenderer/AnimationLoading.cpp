#include "QelRenderer/AnimationLoading.h"

#include "QelCore/LogManager.h"
#include "QelRenderer/AnimationClip.h"
#include "QelRenderer/AnimationController.h"
#include "data/AssetManager.h"
#include "data/ContentFiles.h"
#include "data/DirectoryLoader.h"
#include "data/JSON.h"

#include <string>

namespace Qel {

namespace {

template <class V> size_t loadKind(const std::filesystem::path& folder, std::string_view extension) {
    AssetManager* assets = AssetManager::instance();
    if (!assets) {
        log(LOG_CRITICAL, "no AssetManager to load animations into");
        return 0;
    }
    return loadDirectory(folder, {extension}, [assets](const std::string& name, const std::string& path) {
        // A file that cannot be read parses as nothing, which the readers reject like a broken one.
        std::string bytes;
        readContent(path, bytes);
        JSON doc = parseContent(bytes);
        if (assets->load<V>(name, doc))
            noteContent(path, bytes);
        else
            logf(LOG_MED, "ignored duplicate: %s", name.c_str());
        return true;
    });
}

} // namespace

AnimationLoadCounts loadAnimationFolder(const std::filesystem::path& folder) {
    AnimationLoadCounts counts;
    counts.clips = loadKind<Graphics::Clip>(folder, ".anim");
    counts.controllers = loadKind<AnimatorController>(folder, ".animcontroller");
    return counts;
}

} // namespace Qel
