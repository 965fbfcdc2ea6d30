#include "QelScripting/ScriptAssets.h"

#include "QelCore/LogManager.h"
#include "QelScripting/LuaScript.h"
#include "data/AssetManager.h"
#include "data/ContentFiles.h"
#include "data/DirectoryLoader.h"

#include <cstdint>
#include <unordered_set>
#include <utility>
#include <vector>

namespace Qel {

std::string scriptText(std::string_view bytes) {
    std::string text = "\n";
    text += bytes;
    return text;
}

bool readScriptText(const std::filesystem::path& path, std::string& text) {
    std::string bytes;
    if (!readContent(path, bytes)) return false;
    text = scriptText(bytes);
    return true;
}

bool scriptValidates(const std::string& text) {
    LuaScript validation(LuaScript::Mode::Validation);
    return validation.load(text);
}

size_t loadScripts(const std::filesystem::path& folder) {
    AssetManager* assets = AssetManager::instance();
    if (!assets) return 0;
    Registry<LuaScriptStringWrapper>* registry = assets->obtainRegistry<LuaScriptStringWrapper>();
    loadDirectory(folder, {".lua", ".LUA"}, [assets](const std::string& name, const std::string& path) {
        std::string bytes;
        if (!readContent(path, bytes) ||
            !assets->load<LuaScriptStringWrapper>(name, LuaScriptStringWrapper{scriptText(bytes)}))
            return false;
        noteContent(path, bytes);
        return true;
    });

    // Validated outside the registry's lock, which the main thread may be waiting for.
    std::vector<std::pair<uint64_t, std::string>> scripts;
    registry->forEach(
        [&](uint64_t key, const LuaScriptStringWrapper& script) { scripts.emplace_back(key, script.text); });
    std::unordered_set<uint64_t> failed;
    for (const auto& [key, text] : scripts) {
        if (scriptValidates(text)) continue;
        const std::string* name = assets->nameOf(key);
        logf(LOG_HIGH, "Script \"%s\" failed validation!", name ? name->c_str() : "?");
        failed.insert(key);
    }
    registry->eraseIf([&](uint64_t key, const LuaScriptStringWrapper&) { return failed.contains(key); });
    return registry->size();
}

void loadScriptsTask(void*) {
    logf(LOG_HIGH, "Scripts successfully loaded: %zu", loadScripts());
}

} // namespace Qel
