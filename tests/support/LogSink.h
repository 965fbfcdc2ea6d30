#pragma once

// Records what the log echoes while it lives, so a test asserts on what was logged: lines() gives
// each line with its level, take() the raw text since the last take. It catches everything the
// program writes through std::cout (the log echoes there); when the test has no log yet, the sink
// makes one, which echoes every level (declare a World before the sink), unless told to leave the
// log to the code under test (the engine's start-up makes and deletes its own). Standard error and
// the file descriptors are left alone, so death tests and GoogleTest's own output work as usual.
// When the test fails, the recorded text is shown on standard error.
#include "QelCore/LogManager.h"

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <mutex>
#include <streambuf>
#include <string>
#include <string_view>
#include <vector>

namespace Qel::test {

class LogSink {
public:
    /// The level of a line written without a level tag.
    static constexpr int kUntagged = -1;

    struct Line {
        int level;
        std::string text;
    };

    enum class Log { Make, Leave };

    explicit LogSink(Log log = Log::Make);
    ~LogSink();
    LogSink(const LogSink&) = delete;
    LogSink& operator=(const LogSink&) = delete;

    /// Everything recorded since the last take(), then forgets it.
    std::string take();
    /// The lines recorded since the last take(), tag split off into the level.
    std::vector<Line> lines() const;
    /// How often `part` occurs in the text recorded since the last take().
    size_t count(std::string_view part) const;
    bool contains(std::string_view part) const { return count(part) > 0; }
    /// Whether a line of this level contains `part`.
    bool has(int level, std::string_view part) const;

private:
    // Locked: loading workers log while the test thread reads.
    class Buffer : public std::streambuf {
    public:
        std::string take();
        std::string peek() const;

    protected:
        int overflow(int c) override;
        std::streamsize xsputn(const char* text, std::streamsize count) override;

    private:
        mutable std::mutex mutex;
        std::string text;
        std::string shown;
        friend class LogSink;
    };

    Buffer buffer;
    std::streambuf* previous = nullptr;
    std::unique_ptr<LogManager> ownLog;
};

} // namespace Qel::test
