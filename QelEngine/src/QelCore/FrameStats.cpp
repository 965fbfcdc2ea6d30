#include "QelCore/FrameStats.h"

namespace Qel {

namespace {

constexpr double kTicksPerMs = Clock::kTicksPerSecond / 1000.0;

} // namespace

bool FrameStats::add(const FrameSplit& frame) {
    sum.update += frame.update;
    sum.draw += frame.draw;
    sum.wait += frame.wait;
    ++frames;
    const uint64_t elapsed = sum.update + sum.draw + sum.wait;
    if (elapsed < kPeriodTicks) return false;

    const double count = static_cast<double>(frames);
    latest.fps = static_cast<float>(count * Clock::kTicksPerSecond / static_cast<double>(elapsed));
    latest.updateMs = static_cast<float>(static_cast<double>(sum.update) / kTicksPerMs / count);
    latest.drawMs = static_cast<float>(static_cast<double>(sum.draw) / kTicksPerMs / count);
    latest.waitMs = static_cast<float>(static_cast<double>(sum.wait) / kTicksPerMs / count);
    sum = {};
    frames = 0;
    ++reports;
    return true;
}

void FrameStats::reset() {
    sum = {};
    frames = 0;
    reports = 0;
    latest = {};
}

} // namespace Qel
