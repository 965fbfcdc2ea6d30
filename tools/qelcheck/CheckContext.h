#pragma once

#include "AssetIndex.h"
#include "ContentCheck.h"

#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace Qel::Check {

/// What the kind checkers share: the content folder, its asset index and the problems found.
class CheckContext {
public:
    explicit CheckContext(const std::filesystem::path& folder);

    /// The regular files below the subfolder `name` whose extension is one of `extensions` (every
    /// file when empty), sorted, so reports come out in a stable order.
    std::vector<std::filesystem::path> files(std::string_view name,
                                             const std::set<std::string>& extensions) const;

    /// Runs `read` (the engine's reader of `file`) and reports, against that file: every member it
    /// could not take as the type it reads, every line it logged at MED or above (placed at the
    /// object it was reading then) and every asset name it looked up that the folder lacks.
    void read(const std::filesystem::path& file, const std::function<void()>& read);

    void report(const std::filesystem::path& file, std::string path, std::string text);
    /// Reports `name`, met at `path`, unless `kind` has it.
    void requireAsset(const std::filesystem::path& file, std::string path, const AssetIndex::Kind& kind,
                      const std::string& name);

    /// The file's name as reports show it: below the content folder, with '/'.
    std::string shown(const std::filesystem::path& file) const;

    const std::filesystem::path folder;
    const AssetIndex assets;
    Report result;
};

} // namespace Qel::Check
