#pragma once

#include <atomic>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>

namespace Qel {

/// Per-file loader of an asset folder: gets the asset name (path below the folder with '/'
/// separators, without the extension) and the file's full path; returns whether it loaded.
using AssetFileLoader = std::function<bool(const std::string& name, const std::string& path)>;

/// Walks folder recursively and hands every regular file whose extension (the text from the last
/// '.' of its path below the folder) is exactly one of extensions (case-sensitive) to loader.
/// With no extensions every regular file is handed over, named up to its last '.' if it has one.
/// A loader failure logs "unable to load asset" at MED and the walk goes on; a missing folder
/// logs at HIGH. File-system errors are logged and never thrown. The walk stops before the next
/// file once this thread's stop flag is set. Returns the number of files the loader accepted.
size_t loadDirectory(const std::filesystem::path& folder, std::initializer_list<std::string_view> extensions,
                     const AssetFileLoader& loader);

/// Gives the calling thread a stop flag that loadDirectory checks between files (null: none), so a
/// loading worker can be stopped at shutdown without finishing its folder.
void stopDirectoryLoadsOnThisThreadWhen(const std::atomic<bool>* stop);

} // namespace Qel
