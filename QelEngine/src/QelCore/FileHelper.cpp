#include "QelCore/FileHelper.h"

#include "QelCore/StrongAssert.h"

#include <cstdlib>
#include <string>
#include <system_error>

namespace Qel {

namespace {

std::filesystem::path resolveDataHome() {
    // XDG says a relative XDG_DATA_HOME is invalid and must be ignored.
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    if (dataHome && *dataHome && std::filesystem::path(dataHome).is_absolute()) return dataHome;
    const char* home = std::getenv("HOME");
    if (home && *home) return std::filesystem::path(home) / ".local" / "share";
    return {};
}

} // namespace

FileHelper::FileHelper() {
    const std::filesystem::path dataHome = resolveDataHome();
    if (dataHome.empty()) QEL_STRONG_ASSERT("Could not resolve user directory");
    userDirectory = dataHome / "EmberDeep" / "";
}

std::filesystem::path FileHelper::getUserPath(const std::filesystem::path& relativePath) const {
    return userDirectory / relativePath;
}

void FileHelper::createParentDirectories(const std::filesystem::path& path) {
    const std::string text = path.string();
    const size_t separator = text.find_last_of("\\/");
    const std::string folder = separator == std::string::npos ? text : text.substr(0, separator);
    if (folder.empty()) return;
    std::error_code error;
    std::filesystem::create_directories(folder, error);
}

} // namespace Qel
