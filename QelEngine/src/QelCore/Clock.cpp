#include "QelCore/Clock.h"

#include <chrono>

namespace Qel {

uint64_t SteadyClock::now() {
    using Tick = std::chrono::duration<uint64_t, std::ratio<1, Clock::kTicksPerSecond>>;
    return std::chrono::duration_cast<Tick>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

uint64_t ManualClock::now() {
    ++reads;
    time += step;
    return time;
}

} // namespace Qel
