#pragma once

#include "QelCore/Singleton.h"

#include <filesystem>
#include <fstream>

namespace Qel {

/// Where per-user files live: $XDG_DATA_HOME/EmberDeep/, else $HOME/.local/share/EmberDeep/.
/// Relative paths below it use '/' ("configs/config.json", "logs/log_latest.txt").
class FileHelper : public Singleton<FileHelper> {
public:
    FileHelper();

    const std::filesystem::path& getUserDirectory() const { return userDirectory; }
    std::filesystem::path getUserPath(const std::filesystem::path& relativePath) const;

    /// Creates the folder part of path (up to its last separator) with all missing parents.
    /// A path without a separator is created as a folder as a whole. Failure is silent.
    static void createParentDirectories(const std::filesystem::path& path);

private:
    std::filesystem::path userDirectory;
};

} // namespace Qel
