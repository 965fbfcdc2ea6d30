#pragma once

#include <cstdint>

namespace ContentGen {

/// Small xorshift generator: the same seed gives the same art on every machine, which the
/// standard distributions do not promise.
class Rng {
public:
    explicit Rng(uint32_t seed) : state(seed ? seed : 0x9E3779B9u) {}

    uint32_t next() {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    }
    /// Uniform integer in [low, high].
    int range(int low, int high) {
        return low + static_cast<int>(next() % static_cast<uint32_t>(high - low + 1));
    }
    /// True with probability p.
    bool chance(float p) { return static_cast<float>(next() % 10000u) < p * 10000.0f; }

private:
    uint32_t state;
};

} // namespace ContentGen
