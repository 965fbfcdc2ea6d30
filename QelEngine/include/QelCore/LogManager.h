#pragma once

#include "QelCore/Singleton.h"

#include <cstdint>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

namespace Qel {

/// Log priorities: lower is more important.
enum LogPriority : uint8_t { LOG_CRITICAL = 0, LOG_HIGH = 1, LOG_MED = 2, LOG_LOW = 3 };

/// The program's one log. Lines are echoed to standard output, kept in a bounded buffer and
/// written to a dump file in the user folder on overflow, on request, or after a strong assertion.
/// Safe to call from the loading workers and the main thread at once.
class LogManager : public Singleton<LogManager> {
public:
    static constexpr size_t kBufferLimit = 256;
    static constexpr uint8_t kFlagKeepAll = 1;
    static constexpr uint8_t kFlagEcho = 2;
    static constexpr uint8_t kFlagDumpAtExit = 4;

    LogManager();
    ~LogManager() override;

    void log(uint8_t level, const std::string& text);

    /// Called with every line given to log(), whatever the priorities, before it is kept or
    /// echoed: lets a tool report what the engine says while it reads content. Called under the
    /// log's lock on the logging thread, so it must not log itself. Empty: none.
    using Listener = std::function<void(uint8_t level, const std::string& text)>;
    void setListener(Listener listener);

    /// Opens a dump file at the user folder + relativePath unless one is already open.
    void openDumpFile(const std::filesystem::path& relativePath);
    /// Writes the kept lines whose level is at most printPriority, then empties the buffer.
    void flush();
    void closeDumpFile();

    void setAddPriority(uint8_t level);
    void setEchoPriority(uint8_t level);
    void setPrintPriority(uint8_t level);
    void requestDumpAtExit();

    uint8_t getAddPriority() const;
    uint8_t getEchoPriority() const;
    uint8_t getPrintPriority() const;
    uint8_t getFlags() const;
    size_t bufferedLineCount() const;
    bool hasDumpFile() const;

private:
    void flushLocked();

    // Recursive: opening a dump file may itself log a failure line.
    mutable std::recursive_mutex mutex;
    std::deque<std::pair<uint8_t, std::string>> buffer;
    std::unique_ptr<std::ofstream> dumpFile;
    Listener listener;
    uint8_t addPriority = LOG_LOW;
    uint8_t echoPriority = LOG_LOW;
    uint8_t printPriority = LOG_LOW;
    uint8_t flags = kFlagEcho;
    bool openingDumpFile = false;
};

/// The tag written before a line's text ("[CRITICAL]", "[HIGH]", "[MED]", "[LOW]").
const char* logTag(uint8_t level);

/// Logs through the LogManager, or writes the text to standard error when it does not exist.
void log(uint8_t level, const std::string& text);

/// printf-style form of log().
void logf(uint8_t level, const char* format, ...) __attribute__((format(printf, 2, 3)));

} // namespace Qel
