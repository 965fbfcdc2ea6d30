#pragma once

#include <cstdint>

namespace Qel {

/// A monotonic time source in ticks of 100 ns (10,000,000 per second).
class Clock {
  public:
    static constexpr uint64_t kTicksPerSecond = 10'000'000;

    virtual ~Clock() = default;
    virtual uint64_t now() = 0;
};

/// The system's steady clock, converted to 100 ns ticks.
class SteadyClock final : public Clock {
  public:
    uint64_t now() override;
};

/// A clock driven by hand, for tests. Every read first moves the time on by `stepPerRead` ticks,
/// so that a busy-wait on it always ends.
class ManualClock final : public Clock {
  public:
    explicit ManualClock(uint64_t start = 0, uint64_t stepPerRead = 0) : time(start), step(stepPerRead) {}

    uint64_t now() override;

    void advance(uint64_t ticks) { time += ticks; }
    void setStepPerRead(uint64_t ticks) { step = ticks; }
    /// How many times now() has been called.
    uint64_t readCount() const { return reads; }

  private:
    uint64_t time;
    uint64_t step;
    uint64_t reads = 0;
};

} // namespace Qel
