#include "QelCore/FrameRateController.h"

#include "QelCore/InputRecording.h"
#include "QelCore/WindowHandler.h"

#include <GLFW/glfw3.h>

#include <algorithm>
#include <thread>

namespace Qel {

namespace {

float stepSeconds(uint32_t ticks) {
    return std::min(static_cast<float>(ticks) / static_cast<float>(Clock::kTicksPerSecond),
                    FrameRateController::kMaxDeltaTime);
}

} // namespace

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
        // The wait gives way on every turn: a software rasteriser's threads are often still drawing
        // this frame, and on a small machine the wait would otherwise hold one of their cores.
        std::this_thread::yield();
        updateClock();
        frameTicks = static_cast<uint32_t>(currentTime - frameStart);
    }
    if (WindowHandler* window = WindowHandler::instance()) window->swapBuffers();
    // The clock is not read during the swap, so the swap's time counts toward the next frame.
    frameStart = currentTime;
    deltaTime = stepSeconds(frameTicks);
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
    // The frame in which profiling began started before it: it has no start to measure from. A
    // replayed step may set the engine time back behind the last frame's end: no split then.
    if (frameBegun && workEnd >= lastFrameEnd) {
        const uint64_t work = workEnd - lastFrameEnd;
        const uint64_t draw = std::min(drawTicks, work);
        stats.add({work - draw, draw, currentTime - workEnd});
    }
    frameBegun = true;
    lastFrameEnd = currentTime;
    drawTicks = 0;
}

uint64_t FrameRateController::now() {
    return isRunRecorded() ? currentTime : currentTime + (clock->now() - lastTick);
}

void FrameRateController::replayStep(uint32_t ticks) {
    replayTime += ticks;
    // The frame's start too, so that endFrame measures the real frame from here for the cap.
    currentTime = frameStart = replayTime;
    frameTicks = ticks;
    deltaTime = stepSeconds(ticks);
}

} // namespace Qel
