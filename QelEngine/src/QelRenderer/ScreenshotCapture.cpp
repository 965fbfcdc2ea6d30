#include "QelRenderer/ScreenshotCapture.h"

#include "QelCore/LogManager.h"

#include <GL/glew.h>

#include <chrono>
#include <utility>

namespace Qel {

namespace {

/// How long shutdown waits for the GPU to finish a read-back, in nanoseconds.
constexpr GLuint64 kShutdownWaitNs = 2'000'000'000;

GLsync fenceOf(void* fence) {
    return static_cast<GLsync>(fence);
}

} // namespace

ScreenshotCapture::ScreenshotCapture(std::filesystem::path folder) : folder(std::move(folder)) {}

ScreenshotCapture::~ScreenshotCapture() {
    collect(true);
}

void ScreenshotCapture::endFrame(glm::ivec2 framebufferSize) {
    // Fences started in earlier frames are only checked, never waited on.
    collect(false);
    if (requested) start(framebufferSize);
}

void ScreenshotCapture::start(glm::ivec2 size) {
    requested = false;
    if (size.x <= 0 || size.y <= 0) {
        log(LOG_HIGH, "Screenshot skipped: the window has no pixels");
        return;
    }
    ReadBack readBack{0, nullptr, size, nextPath()};
    const auto bytes = static_cast<GLsizeiptr>(size.x) * size.y * 4;
    glCreateBuffers(1, &readBack.buffer);
    glNamedBufferStorage(readBack.buffer, bytes, nullptr, GL_MAP_READ_BIT);
    // What the player sees: the window's back buffer, passes and overlay all composited.
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    glBindBuffer(GL_PIXEL_PACK_BUFFER, readBack.buffer);
    // Into the bound buffer: the call returns at once and the copy runs behind the frame's work.
    glReadPixels(0, 0, size.x, size.y, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    glBindBuffer(GL_PIXEL_PACK_BUFFER, 0);
    readBack.fence = glFenceSync(GL_SYNC_GPU_COMMANDS_COMPLETE, 0);
    inFlight.push_back(std::move(readBack));
}

void ScreenshotCapture::collect(bool wait) {
    std::erase_if(inFlight, [&](ReadBack& readBack) {
        const GLenum state =
            glClientWaitSync(fenceOf(readBack.fence), GL_SYNC_FLUSH_COMMANDS_BIT, wait ? kShutdownWaitNs : 0);
        if (state == GL_TIMEOUT_EXPIRED && !wait) return false;
        ScreenshotImage image;
        if (state == GL_ALREADY_SIGNALED || state == GL_CONDITION_SATISFIED) {
            const size_t bytes =
                static_cast<size_t>(readBack.size.x) * static_cast<size_t>(readBack.size.y) * 4;
            const void* mapped =
                glMapNamedBufferRange(readBack.buffer, 0, static_cast<GLsizeiptr>(bytes), GL_MAP_READ_BIT);
            if (mapped) {
                const auto* pixels = static_cast<const uint8_t*>(mapped);
                image = {readBack.size, std::vector<uint8_t>(pixels, pixels + bytes)};
                glUnmapNamedBuffer(readBack.buffer);
            }
        }
        glDeleteSync(fenceOf(readBack.fence));
        glDeleteBuffers(1, &readBack.buffer);
        if (image.rgba.empty())
            logf(LOG_HIGH, "Screenshot could not be saved to %s: the frame could not be read back",
                 readBack.path.c_str());
        else
            writer->write(std::move(readBack.path), std::move(image));
        return true;
    });
}

std::filesystem::path ScreenshotCapture::nextPath() {
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm local{};
    localtime_r(&now, &local);
    for (unsigned repeat = 0;; ++repeat) {
        std::filesystem::path path = folder / screenshotFileName(local, repeat);
        std::error_code error;
        if (!namesTaken.contains(path.string()) && !std::filesystem::exists(path, error)) {
            namesTaken.insert(path.string());
            return path;
        }
    }
}

} // namespace Qel
