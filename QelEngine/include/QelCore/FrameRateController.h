#pragma once

#include "QelCore/Clock.h"
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

  private:
    std::unique_ptr<Clock> clock;
    uint64_t lastTick;          // raw clock value at the last update
    uint64_t currentTime = 0;   // engine time: clock progress since construction
    uint64_t frameStart = 0;    // engine time at which the current frame began
    uint64_t minFrameTicks = 1; // 1 means uncapped
    uint32_t frameTicks = 0;    // length of the last frame, truncated to 32 bits
    float deltaTime = 0.0f;
    uint64_t replayTime = 0;    // engine time as the replayed frames add it up
};

} // namespace Qel
