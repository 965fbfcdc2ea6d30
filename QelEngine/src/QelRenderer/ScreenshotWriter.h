#pragma once

#include "QelRenderer/ScreenshotFiles.h"

#include <condition_variable>
#include <deque>
#include <filesystem>
#include <mutex>
#include <thread>
#include <utility>

namespace Qel {

/// Encodes and writes screenshots on its own thread, so the frame never waits for a PNG. Each
/// result is logged: the path when saved, the path and the reason when not. The thread starts
/// with the first screenshot; destruction writes everything queued before it returns.
class ScreenshotWriter {
public:
    ScreenshotWriter() = default;
    ~ScreenshotWriter();
    ScreenshotWriter(const ScreenshotWriter&) = delete;
    ScreenshotWriter& operator=(const ScreenshotWriter&) = delete;

    void write(std::filesystem::path path, ScreenshotImage image);

private:
    void run();

    std::mutex mutex;
    std::condition_variable wake;
    std::deque<std::pair<std::filesystem::path, ScreenshotImage>> queue;
    bool stopping = false;
    std::thread worker;
};

} // namespace Qel
