#include "QelRenderer/ScreenshotWriter.h"

#include "QelCore/LogManager.h"

namespace Qel {

ScreenshotWriter::~ScreenshotWriter() {
    {
        const std::lock_guard lock(mutex);
        stopping = true;
    }
    wake.notify_one();
    if (worker.joinable()) worker.join();
}

void ScreenshotWriter::write(std::filesystem::path path, ScreenshotImage image) {
    {
        const std::lock_guard lock(mutex);
        queue.emplace_back(std::move(path), std::move(image));
    }
    if (!worker.joinable()) worker = std::thread(&ScreenshotWriter::run, this);
    wake.notify_one();
}

void ScreenshotWriter::run() {
    std::unique_lock lock(mutex);
    while (true) {
        wake.wait(lock, [this] { return stopping || !queue.empty(); });
        if (queue.empty()) return;
        auto [path, image] = std::move(queue.front());
        queue.pop_front();
        lock.unlock();
        if (const std::optional<std::string> failure = writeScreenshotPng(path, image))
            logf(LOG_HIGH, "Screenshot could not be saved to %s: %s", path.c_str(), failure->c_str());
        else
            logf(LOG_HIGH, "Screenshot saved to %s", path.c_str());
        lock.lock();
    }
}

} // namespace Qel
