#include "QelCore/FrameRateController.h"

#include "QelCore/WindowHandler.h"

#include <GLFW/glfw3.h>

#include <algorithm>

namespace Qel {

FrameRateController::FrameRateController(std::unique_ptr<Clock> source)
    : clock(std::move(source)), lastTick(clock->now()) {
    // The swap interval belongs to the current context; without a window there is none.
    if (WindowHandler::instance() && glfwGetCurrentContext()) glfwSwapInterval(0);
}

void FrameRateController::setTargetFps(uint32_t fps) {
    minFrameTicks = fps == 0 ? 1 : static_cast<uint32_t>(Clock::kTicksPerSecond) / fps;
}

void FrameRateController::updateClock() {
    const uint64_t now = clock->now();
    currentTime += now - lastTick;
    lastTick = now;
}

void FrameRateController::endFrame() {
    updateClock();
    const uint64_t workEnd = currentTime;
    frameTicks = static_cast<uint32_t>(currentTime - frameStart);
    while (frameTicks < minFrameTicks) {
        updateClock();
        frameTicks = static_cast<uint32_t>(currentTime - frameStart);
    }
    if (WindowHandler* window = WindowHandler::instance()) window->swapBuffers();
    // The clock is not read during the swap, so the swap's time counts toward the next frame.
    frameStart = currentTime;
    deltaTime =
        std::min(static_cast<float>(frameTicks) / static_cast<float>(Clock::kTicksPerSecond), kMaxDeltaTime);
    if (profiling) recordSplit(workEnd);
}

void FrameRateController::setProfiling(bool on) {
    profiling = on;
    frameBegun = false;
    drawTicks = 0;
    stats.reset();
}

void FrameRateController::beginDraw() {
    if (!profiling) return;
    updateClock();
    drawBegin = currentTime;
}

void FrameRateController::endDraw() {
    if (!profiling) return;
    updateClock();
    drawTicks += currentTime - drawBegin;
}

void FrameRateController::recordSplit(uint64_t workEnd) {
    // Read after the swap, which counts as waiting: frameStart above keeps the time before it.
    updateClock();
    // The frame in which profiling began started before it: it has no start to measure from.
    if (frameBegun) {
        const uint64_t work = workEnd - lastFrameEnd;
        const uint64_t draw = std::min(drawTicks, work);
        stats.add({work - draw, draw, currentTime - workEnd});
    }
    frameBegun = true;
    lastFrameEnd = currentTime;
    drawTicks = 0;
}

} // namespace Qel
