#include "CheckContext.h"

#include "QelCore/LogManager.h"
#include "QelRenderer/Texture.h"
#include "data/JSONReadTrace.h"

#include <algorithm>
#include <typeindex>
#include <utility>

namespace Qel::Check {

namespace fs = std::filesystem;

namespace {

/// Engine lines that the trace reports better: with the member's path and the expected type.
bool isGetterLine(const std::string& text) {
    return text.starts_with("JSON: \"") && text.ends_with("\" type mismatch");
}

} // namespace

CheckContext::CheckContext(const fs::path& folder) : folder(folder), assets(folder) {}

std::vector<fs::path> CheckContext::files(std::string_view name,
                                          const std::set<std::string>& extensions) const {
    std::vector<fs::path> found;
    std::error_code error;
    if (!fs::is_directory(folder / name, error)) return found;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder / name, error)) {
        if (entry.is_regular_file(error) &&
            (extensions.empty() || extensions.contains(entry.path().extension().string())))
            found.push_back(entry.path());
    }
    std::sort(found.begin(), found.end());
    return found;
}

std::string CheckContext::shown(const fs::path& file) const {
    return file.lexically_relative(folder).generic_string();
}

void CheckContext::report(const fs::path& file, std::string path, std::string text) {
    result.problems.push_back({shown(file), std::move(path), std::move(text)});
}

void CheckContext::requireAsset(const fs::path& file, std::string path, const AssetIndex::Kind& kind,
                                const std::string& name) {
    if (kind.names.contains(name)) return;
    report(file, std::move(path),
           "names the " + kind.label + " \"" + name + "\", which is not among " + kind.where);
}

void CheckContext::read(const fs::path& file, const std::function<void()>& read) {
    ++result.filesChecked;
    JSONReadTrace trace;
    std::vector<std::pair<std::string, std::string>> logged;
    LogManager& log = *LogManager::instance();
    log.setListener([&](uint8_t level, const std::string& text) {
        if (level > LOG_MED || isGetterLine(text)) return;
        // The emitter complains right after looking its texture up: a texture the folder has is
        // only missing because the checker decodes no images.
        if (text == "emitter has no valid texture!" && !trace.references.empty()) {
            const JSONAssetReference& latest = trace.references.back();
            if (latest.kind == std::type_index(typeid(Texture)) &&
                latest.path == trace.lastObjectPath() + ".texture" &&
                assets.textures.names.contains(latest.name))
                return;
        }
        logged.emplace_back(trace.lastObjectPath(), std::string(logTag(level)) + " " + text);
    });
    read();
    log.setListener(nullptr);

    for (JSONTypeProblem& problem : trace.typeProblems)
        report(file, std::move(problem.path), "found " + problem.found + ", expected " + problem.expected);
    for (auto& [path, text] : logged)
        report(file, std::move(path), "the engine says: " + text);
    for (const JSONAssetReference& reference : trace.references)
        if (const AssetIndex::Kind* kind = assets.find(reference.kind))
            requireAsset(file, reference.path, *kind, reference.name);
}

} // namespace Qel::Check
