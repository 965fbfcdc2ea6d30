#include "QelCore/HotReload.h"

#include "ECS/Prefab/PrefabManager.h"
#include "QelCore/GameStateManager.h"
#include "QelCore/LoadingTask.h"
#include "QelCore/LogManager.h"
#include "QelRenderer/AnimationClip.h"
#include "QelRenderer/AnimationController.h"
#include "QelSceneManager/QelSceneManager.h"
#include "QelScripting/ScriptAssets.h"
#include "data/AssetManager.h"
#include "data/ContentFiles.h"
#include "data/DirectoryLoader.h"
#include "data/JSON.h"
#include "data/JSONReadTrace.h"
#include "data/NameHash.h"

#include <functional>
#include <string>
#include <utility>

namespace Qel {

namespace {

/// Watches the reading of one file: the first line logged at HIGH or above, with the place in the
/// document being read then, and every member read as the wrong type.
class ReadWatch {
public:
    ReadWatch() {
        // Called under the log's lock: it only notes the line.
        if (LogManager* log = LogManager::instance())
            log->setListener([this](uint8_t level, const std::string& text) {
                if (level > LOG_HIGH || !firstLine.empty()) return;
                const std::string at = trace.lastObjectPath();
                firstLine = at.empty() ? text : text + " (at " + at + ")";
            });
    }
    ~ReadWatch() {
        if (LogManager* log = LogManager::instance()) log->setListener(nullptr);
    }
    ReadWatch(const ReadWatch&) = delete;
    ReadWatch& operator=(const ReadWatch&) = delete;

    /// Why what was read must not be taken; empty when nothing speaks against it.
    std::string problem() const {
        if (!firstLine.empty() || trace.typeProblems.empty()) return firstLine;
        const JSONTypeProblem& first = trace.typeProblems.front();
        return first.path + " is " + first.found + ", expected " + first.expected;
    }

    /// problem(), or `otherwise` when nothing was noticed.
    std::string refusal(const char* otherwise) const {
        std::string reason = problem();
        return reason.empty() ? otherwise : reason;
    }

private:
    JSONReadTrace trace;
    std::string firstLine;
};

/// Takes a new version of a file in: the reason it was refused, empty when it was taken.
using Take = std::function<std::string(const std::string& bytes, const ReadWatch& watch)>;

template <class V> bool isLoaded(const std::string& name) {
    Registry<V>* registry = AssetManager::instance()->findRegistry<V>();
    return registry && registry->get(hashName(name));
}

/// Replaces a loaded value in place, so every pointer to it sees the new version.
template <class V> void replace(V& loaded, V fresh) {
    loaded = std::move(fresh);
}

void replace(AnimatorController& loaded, AnimatorController fresh) {
    loaded.replaceWith(std::move(fresh));
}

template <class V> void install(const std::string& name, V value) {
    AssetManager& assets = *AssetManager::instance();
    if (V* loaded = assets.obtainRegistry<V>()->get(hashName(name)))
        replace(*loaded, std::move(value));
    else
        assets.load<V>(name, std::move(value));
}

// The takers of a folder's files get the asset name, the path, the bytes and the watch.

std::string takeScript(const std::string& name, const std::string&, const std::string& bytes,
                       const ReadWatch& watch) {
    std::string text = scriptText(bytes);
    if (!scriptValidates(text)) return watch.refusal("it fails validation");
    install(name, LuaScriptStringWrapper{std::move(text)});
    return {};
}

/// Clips and controllers: their structure is checked first, since the readers stop the program
/// on a broken one.
template <class V, const char* (*structureError)(JSON&)>
std::string takeAnimation(const std::string& name, const std::string&, const std::string& bytes,
                          const ReadWatch& watch) {
    JSON doc = parseContent(bytes);
    if (!doc.isParsed()) return watch.refusal("it is not JSON");
    if (const char* error = structureError(doc)) return error;
    V value(doc);
    if (std::string problem = watch.problem(); !problem.empty()) return problem;
    install(name, std::move(value));
    return {};
}

std::string takePrefab(const std::string&, const std::string& path, const std::string& bytes,
                       const ReadWatch& watch) {
    JSON doc = parseContent(bytes);
    PrefabManager* prefabs = PrefabManager::instance();
    if (!prefabs) return "there is no PrefabManager";
    if (prefabs->ReloadPrefab(doc, path, [&watch] { return watch.problem().empty(); })) return {};
    return watch.refusal("the PrefabManager refused it");
}

std::string checkScene(const std::string& bytes, const ReadWatch& watch) {
    JSON doc = parseContent(bytes);
    if (!doc.isParsed()) return watch.refusal("it is not JSON");
    if (!doc.cd("Scene")) return "it has no \"Scene\" object";
    if (!doc.getArray("gameObjects").isValid()) return "its \"Scene\" has no \"gameObjects\" array";
    return {};
}

class Reload {
public:
    /// One file: counted unchanged when `loaded` and its bytes are those in memory, else taken in
    /// or refused. Returns whether the version in memory is now the file's.
    bool file(const std::string& path, bool loaded, const Take& take) {
        std::string bytes;
        if (!readContent(path, bytes)) return refuse(path, "it cannot be read");
        if (loaded && sameContent(path, bytes)) {
            ++report.unchanged;
            return true;
        }
        std::string reason;
        {
            ReadWatch watch;
            reason = take(bytes, watch);
        }
        if (!reason.empty()) return refuse(path, reason);
        noteContent(path, bytes);
        ++report.changed;
        logf(LOG_HIGH, "reloaded %s", path.c_str());
        return true;
    }

    /// Every file of one kind below folder.
    template <class Loaded, class TakeNamed>
    void folder(const char* folder, std::initializer_list<std::string_view> extensions, Loaded loaded,
                TakeNamed take) {
        loadDirectory(folder, extensions, [&](const std::string& name, const std::string& path) {
            file(path, loaded(name), [&](const std::string& bytes, const ReadWatch& watch) {
                return take(name, path, bytes, watch);
            });
            // Refusals are logged with their reason already.
            return true;
        });
    }

    ReloadReport report;

private:
    bool refuse(const std::string& path, const std::string& reason) {
        ++report.failed;
        logf(LOG_HIGH, "could not reload %s: %s; the old version stays", path.c_str(), reason.c_str());
        return false;
    }
};

} // namespace

ReloadReport reloadContent() {
    Reload reload;
    if (!AssetManager::instance()) {
        log(LOG_HIGH, "no AssetManager to reload content into");
        return reload.report;
    }
    reload.folder("../Assets/Scripts", {".lua", ".LUA"}, isLoaded<LuaScriptStringWrapper>, takeScript);
    reload.folder("../Assets/JSON", {".anim"}, isLoaded<Graphics::Clip>,
                  takeAnimation<Graphics::Clip, Graphics::clipStructureError>);
    reload.folder("../Assets/JSON", {".animcontroller"}, isLoaded<AnimatorController>,
                  takeAnimation<AnimatorController, controllerStructureError>);
    // A prefab's digest is noted only once it has loaded, so a file with its digest is in memory.
    reload.folder(
        "../Assets/Prefabs", {}, [](const std::string&) { return true; }, takePrefab);
    if (SceneManager* scenes = SceneManager::instance(); scenes && !scenes->getNextScenePath().empty())
        reload.report.sceneReadable =
            reload.file(scenes->getNextScenePath().generic_string(), true, checkScene);
    return reload.report;
}

void hotReload() {
    // The workers fill the same registries and prefab arrays without waiting for the main thread.
    if (!LoadingTasks::empty()) {
        log(LOG_HIGH, "hot reload waits until loading is done");
        return;
    }
    const ReloadReport report = reloadContent();
    logf(LOG_HIGH, "hot reload: %zu changed, %zu failed, %zu unchanged; %s", report.changed, report.failed,
         report.unchanged, report.sceneReadable ? "rebuilding the scene" : "the scene runs on as it is");
    if (report.sceneReadable) setNextGameState(GS_RESTART);
}

} // namespace Qel
