#include "QelCore/LogManager.h"

#include "QelCore/FileHelper.h"

#include <cstdarg>
#include <cstdio>
#include <iostream>
#include <utility>
#include <vector>

namespace Qel {

const char* logTag(uint8_t level) {
    switch (level) {
    case LOG_CRITICAL: return "[CRITICAL]";
    case LOG_HIGH: return "[HIGH]";
    case LOG_MED: return "[MED]";
    default: return "[LOW]";
    }
}

LogManager::LogManager() = default;

LogManager::~LogManager() {
    std::lock_guard lock(mutex);
    if (flags & kFlagDumpAtExit) flushLocked();
    dumpFile.reset();
}

void LogManager::log(uint8_t level, const std::string& text) {
    std::lock_guard lock(mutex);
    if (listener) listener(level, text);
    if ((flags & kFlagEcho) && level <= echoPriority) std::cout << logTag(level) << ' ' << text << std::endl;
    if (!(flags & kFlagKeepAll) && level > addPriority) return;
    if (buffer.size() >= kBufferLimit) {
        if (!dumpFile) openDumpFile("logs/log_latest.txt");
        flags |= kFlagDumpAtExit;
        flushLocked();
    }
    buffer.emplace_back(level, text);
}

void LogManager::setListener(Listener newListener) {
    std::lock_guard lock(mutex);
    listener = std::move(newListener);
}

void LogManager::openDumpFile(const std::filesystem::path& relativePath) {
    std::lock_guard lock(mutex);
    // The failure lines below go through log(), which may overflow and try to open a dump
    // file again; the guard keeps that from recursing.
    if (openingDumpFile) return;
    openingDumpFile = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{openingDumpFile};
    FileHelper* files = FileHelper::instance();
    if (!files) {
        log(LOG_HIGH, "FILEHELPER UNAVAILABLE TO OPEN DUMP FILE");
        return;
    }
    const std::filesystem::path path = files->getUserPath(relativePath);
    FileHelper::createParentDirectories(path);
    if (dumpFile) return;
    auto file = std::make_unique<std::ofstream>(path, std::ios::out | std::ios::trunc);
    if (!file->is_open()) {
        log(LOG_HIGH, "COULD NOT CREATE DUMP FILE");
        return;
    }
    dumpFile = std::move(file);
}

void LogManager::flush() {
    std::lock_guard lock(mutex);
    flushLocked();
}

void LogManager::flushLocked() {
    std::ostream& out = dumpFile ? static_cast<std::ostream&>(*dumpFile) : std::cerr;
    for (const auto& [level, text] : buffer) {
        if (level <= printPriority) out << logTag(level) << ' ' << text << '\n';
    }
    out.flush();
    buffer.clear();
}

void LogManager::closeDumpFile() {
    std::lock_guard lock(mutex);
    dumpFile.reset();
}

void LogManager::setAddPriority(uint8_t level) {
    std::lock_guard lock(mutex);
    addPriority = level;
}

void LogManager::setEchoPriority(uint8_t level) {
    std::lock_guard lock(mutex);
    echoPriority = level;
}

void LogManager::setPrintPriority(uint8_t level) {
    std::lock_guard lock(mutex);
    printPriority = level;
}

void LogManager::requestDumpAtExit() {
    std::lock_guard lock(mutex);
    flags |= kFlagDumpAtExit;
}

uint8_t LogManager::getAddPriority() const {
    std::lock_guard lock(mutex);
    return addPriority;
}

uint8_t LogManager::getEchoPriority() const {
    std::lock_guard lock(mutex);
    return echoPriority;
}

uint8_t LogManager::getPrintPriority() const {
    std::lock_guard lock(mutex);
    return printPriority;
}

uint8_t LogManager::getFlags() const {
    std::lock_guard lock(mutex);
    return flags;
}

size_t LogManager::bufferedLineCount() const {
    std::lock_guard lock(mutex);
    return buffer.size();
}

bool LogManager::hasDumpFile() const {
    std::lock_guard lock(mutex);
    return dumpFile != nullptr;
}

void log(uint8_t level, const std::string& text) {
    if (LogManager* manager = LogManager::instance()) {
        manager->log(level, text);
    } else {
        std::cerr << text << std::endl;
    }
}

void logf(uint8_t level, const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list sizing;
    va_copy(sizing, args);
    const int length = std::vsnprintf(nullptr, 0, format, sizing);
    va_end(sizing);
    std::string text;
    if (length > 0) {
        std::vector<char> chars(static_cast<size_t>(length) + 1);
        std::vsnprintf(chars.data(), chars.size(), format, args);
        text.assign(chars.data(), static_cast<size_t>(length));
    }
    va_end(args);
    log(level, text);
}

} // namespace Qel
