#include "QelCore/FileHelper.h"

#include "QelCore/LogManager.h"
#include "QelCore/StrongAssert.h"

#include <cstdlib>
#include <istream>
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

bool FileHelper::openConfigFile(std::ifstream& stream) const {
    const std::filesystem::path userPath = getUserPath(kConfigPath);
    stream.open(userPath);
    if (stream.is_open()) return true;

    log(LOG_HIGH, "FileHelper: Failed to open user dir file, finding default");
    const std::filesystem::path defaultPath = std::filesystem::path(kDefaultsDirectory) / kConfigPath;
    std::ifstream defaults(defaultPath, std::ios::binary);
    if (!defaults.is_open()) {
        log(LOG_HIGH, "unable to find default file to copy");
        return false;
    }
    writeFileAtomically(userPath, [&defaults](std::ostream& out) {
        // Inserting an empty buffer would flag a failure; an empty default is still a copy.
        if (defaults.peek() != std::ifstream::traits_type::eof()) out << defaults.rdbuf();
        return !defaults.bad();
    });
    defaults.close();
    stream.clear();
    stream.open(userPath);
    if (!stream.is_open()) {
        stream.clear();
        stream.open(defaultPath);
    }
    return stream.is_open();
}

bool FileHelper::writeFileAtomically(const std::filesystem::path& path,
                                     const std::function<bool(std::ostream&)>& writeContent) {
    createParentDirectories(path);
    std::filesystem::path temporary = path;
    temporary += ".tmp";
    bool written = false;
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (out.is_open()) {
            written = writeContent(out);
            out.close();
            written = written && !out.fail();
        }
    }
    std::error_code error;
    if (written) {
        std::filesystem::rename(temporary, path, error);
        if (!error) return true;
    }
    // Only ever a file we created: a folder of that name made the open fail and is left alone.
    if (std::filesystem::is_regular_file(temporary, error)) std::filesystem::remove(temporary, error);
    return false;
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
