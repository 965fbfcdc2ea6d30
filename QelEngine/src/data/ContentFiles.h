#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace Qel {

class JSON;

/// The whole file as bytes; false when it cannot be read.
bool readContent(const std::filesystem::path& path, std::string& bytes);

/// The document of a content file's bytes (unparsed, logged by the parser, when they are not JSON).
JSON parseContent(const std::string& bytes);

/// Remembers a digest of `bytes` as the version of the content file `path` that is in memory now,
/// so a reload can tell a file that changed on disk by its content. Kept by the AssetManager
/// (nothing is kept without one); safe on the loading workers.
void noteContent(std::string_view path, std::string_view bytes);

/// Whether `bytes` are the content noteContent last remembered for `path`.
bool sameContent(std::string_view path, std::string_view bytes);

} // namespace Qel
