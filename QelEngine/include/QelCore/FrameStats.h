#pragma once

#include "QelCore/Clock.h"

#include <cstdint>

namespace Qel {

/// Where one frame's time went, in clock ticks (100 ns): the game's work, the renderer's work, and
/// the frame cap's wait with the buffer swap.
struct FrameSplit {
    uint64_t update = 0;
    uint64_t draw = 0;
    uint64_t wait = 0;
};

/// Averages over one reporting period: frames per second and milliseconds per frame.
struct FrameReport {
    float fps = 0.0f;
    float updateMs = 0.0f;
    float drawMs = 0.0f;
    float waitMs = 0.0f;
};

/// Sums frame splits and publishes their averages once a period's worth of frame time has passed,
/// so that the figures change a few times a second rather than every frame.
class FrameStats {
public:
    static constexpr uint64_t kPeriodTicks = Clock::kTicksPerSecond / 4;

    /// Adds one frame. Returns true when it completed a period and report() holds new figures.
    bool add(const FrameSplit& frame);
    /// Forgets the frames of the unfinished period and the published figures.
    void reset();

    const FrameReport& report() const { return latest; }
    /// How many periods have been published since the last reset.
    uint64_t reportCount() const { return reports; }

private:
    FrameSplit sum;
    uint64_t frames = 0;
    uint64_t reports = 0;
    FrameReport latest;
};

} // namespace Qel
