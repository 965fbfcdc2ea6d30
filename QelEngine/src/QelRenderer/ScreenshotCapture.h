#pragma once

#include "QelRenderer/ScreenshotWriter.h"

#include <glm/vec2.hpp>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace Qel {

/// Takes screenshots without stalling the frame: the requested frame is copied into a pixel-pack
/// buffer at its end, behind a fence, and mapped on a later frame once the GPU has passed the
/// fence; the pixels then go to a writer thread. Files are named by local time in `folder`.
/// Main thread only; GL objects are made only while a screenshot is on its way.
class ScreenshotCapture {
public:
    explicit ScreenshotCapture(std::filesystem::path folder);
    /// Waits for the read-backs still on their way and writes them before returning. Needs the GL
    /// context that made them to be current.
    ~ScreenshotCapture();
    ScreenshotCapture(const ScreenshotCapture&) = delete;
    ScreenshotCapture& operator=(const ScreenshotCapture&) = delete;

    /// Asks for the frame being drawn; it is read back at the next endFrame.
    void request() { requested = true; }

    /// Whether a screenshot was requested or is being read back.
    bool busy() const { return requested || !inFlight.empty(); }

    /// Last step of a frame, before the swap: hands finished read-backs to the writer and starts
    /// reading the window's pixels (size in pixels) when a screenshot was requested.
    void endFrame(glm::ivec2 framebufferSize);

private:
    struct ReadBack {
        uint32_t buffer = 0;
        void* fence = nullptr;
        glm::ivec2 size{0, 0};
        std::filesystem::path path;
    };

    void start(glm::ivec2 size);
    /// Hands over the read-backs whose fence has passed; with `wait`, waits for every fence.
    void collect(bool wait);
    /// A file name in the folder, by the time now, that neither exists nor was handed out before.
    std::filesystem::path nextPath();

    std::filesystem::path folder;
    bool requested = false;
    std::vector<ReadBack> inFlight;
    std::set<std::string> namesTaken;
    std::unique_ptr<ScreenshotWriter> writer = std::make_unique<ScreenshotWriter>();
};

} // namespace Qel
