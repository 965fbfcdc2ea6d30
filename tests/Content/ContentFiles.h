#pragma once

// Where the shipped content lives, and its files of some kinds, for the content checks.
#include <algorithm>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

namespace Qel::test {

inline const std::filesystem::path kAssets = std::filesystem::path(QEL_SOURCE_DIR) / "Assets";

/// The regular files below folder whose extension is one of extensions, sorted.
inline std::vector<std::filesystem::path> filesIn(const std::filesystem::path& folder,
                                                  const std::set<std::string>& extensions) {
    std::vector<std::filesystem::path> files;
    for (const std::filesystem::directory_entry& entry : std::filesystem::recursive_directory_iterator(folder))
        if (entry.is_regular_file() && extensions.contains(entry.path().extension().string()))
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

} // namespace Qel::test
