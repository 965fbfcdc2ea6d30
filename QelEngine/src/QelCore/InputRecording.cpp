#include "QelCore/InputRecording.h"

#include "QelCore/FrameRateController.h"
#include "QelCore/GameStateManager.h"
#include "QelCore/Input.h"
#include "QelCore/InputPlayer.h"
#include "QelCore/InputRecorder.h"
#include "QelCore/LogManager.h"
#include "QelCore/WindowHandler.h"
#include "QelRenderer/FrameCapture.h"

#include <GLFW/glfw3.h>

#include <memory>
#include <random>
#include <string>

namespace Qel {

namespace {

// Main thread only. Static so that an exit mid-run still completes the recording's file.
std::unique_ptr<InputRecorder> recorder;
std::unique_ptr<InputPlayer> player;
std::optional<uint32_t> runSeed;
std::optional<uint64_t> pendingScreenshot;
bool replayedFocus = true;

/// The replay is over: the player's own input and focus take over where the recording left off.
void endReplay(GameStateManager& manager) {
    logf(LOG_HIGH, "Replay finished after %zu frames; the player has control", player->played());
    if (pendingScreenshot)
        logf(LOG_CRITICAL, "The replay ended before frame %llu: no screenshot taken",
             static_cast<unsigned long long>(*pendingScreenshot));
    player.reset();
    pendingScreenshot.reset();
    releaseHeldInputs();
    WindowHandler* window = WindowHandler::instance();
    if (!window) return;
    double x = 0.0, y = 0.0;
    glfwGetCursorPos(window->getWindow(), &x, &y);
    handleCursorMoved(x, y);
    const bool focused = glfwGetWindowAttrib(window->getWindow(), GLFW_FOCUSED) == GLFW_TRUE;
    if (focused != replayedFocus) manager.onWindowFocus(focused);
}

void feed(GameStateManager& manager, const RecordedFrame& frame) {
    for (const RecordedEvent& event : frame.events) {
        switch (event.kind) {
        case RecordedEvent::Kind::Button:
            handleInputEvent(event.code, event.action);
            break;
        case RecordedEvent::Kind::Cursor:
            handleCursorMoved(event.cursor.x, event.cursor.y);
            break;
        case RecordedEvent::Kind::Focus:
            replayedFocus = event.action != 0;
            manager.onWindowFocus(replayedFocus);
            break;
        }
    }
}

} // namespace

void startInputRecording(const std::filesystem::path& path) {
    stopInputRecording();
    runSeed = std::random_device{}();
    recorder = std::make_unique<InputRecorder>(path, *runSeed);
}

bool startInputReplay(const std::filesystem::path& path, std::optional<uint64_t> screenshotFrame) {
    stopInputRecording();
    player = InputPlayer::open(path);
    if (!player) return false;
    runSeed = player->seed();
    pendingScreenshot = screenshotFrame;
    replayedFocus = true;
    return true;
}

void stopInputRecording() {
    recorder.reset();
    player.reset();
    runSeed.reset();
    pendingScreenshot.reset();
}

bool isRunRecorded() {
    return runSeed.has_value();
}

bool isReplayingInput() {
    return player != nullptr;
}

uint32_t randomSeed() {
    return runSeed ? *runSeed : std::random_device{}();
}

bool admitWindowInput(const RecordedEvent& event) {
    if (player) return false;
    if (recorder) recorder->add(event);
    return true;
}

void onInputPolled(GameStateManager& manager, bool normalFrame) {
    if (recorder) {
        const FrameRateController* timing = FrameRateController::instance();
        recorder->endFrame(timing ? timing->getFrameTicks() : 0);
        return;
    }
    if (!player) return;
    const RecordedFrame* frame = player->next();
    if (!frame) {
        endReplay(manager);
        return;
    }
    feed(manager, *frame);
    FrameRateController* timing = FrameRateController::instance();
    if (normalFrame && timing) timing->replayStep(frame->ticks);
}

void onFrameDrawn(GameStateManager& manager) {
    if (!player || !pendingScreenshot || player->played() <= *pendingScreenshot) return;
    const std::string path = "replay-frame-" + std::to_string(*pendingScreenshot) + ".png";
    if (saveFrameAsPng(path)) logf(LOG_HIGH, "Replay frame saved as %s", path.c_str());
    pendingScreenshot.reset();
    manager.setNext(GS_QUIT);
}

} // namespace Qel
