#include "data/DirectoryLoader.h"

#include "QelCore/LogManager.h"

#include <algorithm>
#include <system_error>

namespace fs = std::filesystem;

namespace Qel {

namespace {

thread_local const std::atomic<bool>* stopFlag = nullptr;

bool stopRequested() {
    return stopFlag && stopFlag->load(std::memory_order_acquire);
}

void logWalkError(const fs::path& where, const std::error_code& error) {
    logf(LOG_HIGH, "\"%s\": %s", where.generic_string().c_str(), error.message().c_str());
}

/// Applies the naming rule to one regular file; returns whether the loader accepted it.
bool loadFile(const fs::path& folder, const fs::path& file,
              std::initializer_list<std::string_view> extensions, const AssetFileLoader& loader) {
    const std::string path = file.generic_string();
    // The iterator builds entry paths by appending to folder, so folder's text is their prefix.
    std::string relative = path.substr(std::min(path.size(), folder.generic_string().size()));
    if (!relative.empty() && relative.front() == '/') relative.erase(0, 1);

    // A '.' in a folder name never starts an extension (no listed extension contains a '/').
    size_t dot = relative.rfind('.');
    const size_t slash = relative.rfind('/');
    if (dot != std::string::npos && slash != std::string::npos && dot < slash) dot = std::string::npos;
    std::string name = relative;
    if (extensions.size() != 0) {
        if (dot == std::string::npos) return false;
        const std::string_view extension = std::string_view(relative).substr(dot);
        if (std::find(extensions.begin(), extensions.end(), extension) == extensions.end()) return false;
    }
    if (dot != std::string::npos) name.resize(dot);

    if (loader(name, path)) return true;
    logf(LOG_MED, "unable to load asset: %s", path.c_str());
    return false;
}

} // namespace

size_t loadDirectory(const fs::path& folder, std::initializer_list<std::string_view> extensions,
                     const AssetFileLoader& loader) {
    std::error_code error;
    if (!fs::is_directory(folder, error)) {
        logf(LOG_HIGH, "\"%s\" does not exist or is not a valid directory.", folder.generic_string().c_str());
        return 0;
    }

    size_t loaded = 0;
    fs::recursive_directory_iterator walker(folder, fs::directory_options::skip_permission_denied, error);
    if (error) {
        logWalkError(folder, error);
        return 0;
    }
    for (const fs::recursive_directory_iterator end; walker != end;) {
        if (stopRequested()) {
            logf(LOG_MED, "loading of \"%s\" stopped", folder.generic_string().c_str());
            break;
        }
        std::error_code statusError;
        const bool regular = walker->is_regular_file(statusError);
        if (statusError) {
            logWalkError(walker->path(), statusError);
        } else if (regular && loadFile(folder, walker->path(), extensions, loader)) {
            ++loaded;
        }
        walker.increment(error);
        if (error) {
            // A failed step leaves the iterator at its end: report and keep what was loaded.
            logWalkError(folder, error);
            break;
        }
    }
    return loaded;
}

void stopDirectoryLoadsOnThisThreadWhen(const std::atomic<bool>* stop) {
    stopFlag = stop;
}

} // namespace Qel
