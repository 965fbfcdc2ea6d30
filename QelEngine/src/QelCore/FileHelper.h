#pragma once

#include "QelCore/Singleton.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <iosfwd>

namespace Qel {

/// Where per-user files live: $XDG_DATA_HOME/EmberDeep/, else $HOME/.local/share/EmberDeep/.
/// Relative paths below it use '/' ("configs/config.json", "logs/log_latest.txt").
class FileHelper : public Singleton<FileHelper> {
public:
    FileHelper();

    const std::filesystem::path& getUserDirectory() const { return userDirectory; }
    std::filesystem::path getUserPath(const std::filesystem::path& relativePath) const;

    /// The configuration, relative to the user folder and to the defaults folder.
    static constexpr const char* kConfigPath = "configs/config.json";
    /// Default copies of the per-user files, relative to the working directory.
    static constexpr const char* kDefaultsDirectory = "../Defaults/";

    /// Opens the user configuration for reading, first restoring it from the default copy when
    /// it is missing. When the copy cannot be written the default itself is opened, so the game
    /// still starts. Returns whether `stream` is open.
    bool openConfigFile(std::ifstream& stream) const;

    /// Writes `path` through `writeContent` into a temporary file beside it and renames that over
    /// `path` only when everything succeeded, so a failed write leaves the previous file intact.
    /// Creates the missing folders. Returns false, removing the temporary file, on any failure.
    static bool writeFileAtomically(const std::filesystem::path& path,
                                    const std::function<bool(std::ostream&)>& writeContent);

    /// Creates the folder part of path (up to its last separator) with all missing parents.
    /// A path without a separator is created as a folder as a whole. Failure is silent.
    static void createParentDirectories(const std::filesystem::path& path);

private:
    std::filesystem::path userDirectory;
};

} // namespace Qel
