#include "QelCore/FrameRateController.h"

#include "QelCore/InputRecording.h"
#include "QelCore/WindowHandler.h"

#include <GLFW/glfw3.h>

#include <algorithm>

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
    frameTicks = static_cast<uint32_t>(currentTime - frameStart);
    while (frameTicks < minFrameTicks) {
        updateClock();
        frameTicks = static_cast<uint32_t>(currentTime - frameStart);
    }
    if (WindowHandler* window = WindowHandler::instance()) window->swapBuffers();
    // The clock is not read during the swap, so the swap's time counts toward the next frame.
    frameStart = currentTime;
    deltaTime = stepSeconds(frameTicks);
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
