#pragma once

#include "QelCore/Clock.h"
#include "QelCore/FrameStats.h"
#include "QelCore/Singleton.h"

#include <cstdint>
#include <memory>

namespace Qel {

/// Measures frame time in clock ticks (100 ns), enforces the optional frame cap by busy-waiting
/// before the buffer swap, and publishes the clamped delta time the systems integrate with.
class FrameRateController : public Singleton<FrameRateController> {
  public:
    /// Longest step the game advances by in one frame, in seconds.
    static constexpr float kMaxDeltaTime = 0.0625f;

    /// Starts the clock now. Switches vertical sync off when a window's context is current.
    explicit FrameRateController(std::unique_ptr<Clock> clock = std::make_unique<SteadyClock>());

    /// Caps the frame rate at `fps` frames per second; 0 means uncapped.
    void setTargetFps(uint32_t fps);

    /// Last step of every normal frame: waits for the cap, swaps the window's buffers and
    /// computes the next delta time.
    void endFrame();

    /// Adds the clock's progress since the last update to the engine time.
    void updateClock();

    /// Engine time in ticks for whatever the game times by itself. In a recorded or replayed run it
    /// is the current frame's start, which the replay reproduces; otherwise the clock's reading.
    uint64_t now();

    /// During a replay, at the start of each frame: the frame advances the game by the recorded
    /// `ticks`, whatever the clock says. The clock still paces the frames.
    void replayStep(uint32_t ticks);

    /// Seconds, at most kMaxDeltaTime.
    float getDeltaTime() const { return deltaTime; }
    uint32_t getFrameTicks() const { return frameTicks; }
    uint64_t getMinFrameTicks() const { return minFrameTicks; }
    uint64_t getCurrentTime() const { return currentTime; }
    uint64_t getFrameStart() const { return frameStart; }

    /// The frame-time split shown by the frame overlay. While on, the frame end and the draw marks
    /// read the clock; while off, each costs one flag check. Turning it on starts new figures.
    void setProfiling(bool on);
    bool isProfiling() const { return profiling; }
    /// Leaves the frame in progress out of the split: the loop stood still during it.
    void skipFrameSplit() { frameBegun = false; }
    /// Bracket renderer work, which the split counts as drawing.
    void beginDraw();
    void endDraw();
    const FrameStats& getStats() const { return stats; }

  private:
    /// Adds the frame that ends now to the statistics; workEnd is the engine time before the wait.
    void recordSplit(uint64_t workEnd);

    std::unique_ptr<Clock> clock;
    uint64_t lastTick;          // raw clock value at the last update
    uint64_t currentTime = 0;   // engine time: clock progress since construction
    uint64_t frameStart = 0;    // engine time at which the current frame began
    uint64_t minFrameTicks = 1; // 1 means uncapped
    uint32_t frameTicks = 0;    // length of the last frame, truncated to 32 bits
    float deltaTime = 0.0f;
    uint64_t replayTime = 0;    // engine time as the replayed frames add it up

    bool profiling = false;
    bool frameBegun = false;  // whether lastFrameEnd marks the start of a profiled frame
    uint64_t lastFrameEnd = 0; // engine time after the last profiled swap
    uint64_t drawBegin = 0;
    uint64_t drawTicks = 0; // drawing so far in the current frame
    FrameStats stats;
};

/// Counts the time of its scope as drawing in the frame split.
class DrawPhase {
  public:
    DrawPhase() {
        if (FrameRateController* controller = FrameRateController::instance()) controller->beginDraw();
    }
    ~DrawPhase() {
        if (FrameRateController* controller = FrameRateController::instance()) controller->endDraw();
    }
    DrawPhase(const DrawPhase&) = delete;
    DrawPhase& operator=(const DrawPhase&) = delete;
};

} // namespace Qel
