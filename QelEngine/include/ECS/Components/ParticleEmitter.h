#pragma once

#include "data/JSONArr.h"

#include <array>
#include <cstdint>

namespace Qel {

class Texture;

/// Component: the settings and emission state of one particle emitter. The particles themselves
/// live in the particle system's pool.
struct ParticleEmitter {
    /// Flag bits.
    static constexpr uint32_t kLooping = 1u << 0;
    /// Drawn colour = particle colour * colour scale, instead of the colour scale alone.
    static constexpr uint32_t kColorScaleMultiplies = 1u << 4;
    static constexpr uint32_t kActiveOnStart = 1u << 30;
    static constexpr uint32_t kActive = 1u << 31;

    /// Two ends of a value. For initial values a particle draws uniformly between them (in either
    /// order); for scales, low is the value at birth and high the value at death.
    struct Range {
        float low = 0.0f;
        float high = 0.0f;
    };

    ParticleEmitter() = default;
    /// Reads the emitter's component object. The AssetManager must exist (strong assertion).
    explicit ParticleEmitter(const JSONArr::iter& object);

    uint32_t flags = 0;
    /// Seconds of one emission cycle.
    float duration = 1.0f;
    /// Seconds into the current cycle.
    float elapsed = 0.0f;
    /// Seconds since the last particle.
    float emissionAccumulator = 0.0f;
    /// Particles per second; 0 never emits.
    float emissionRate = 0.0f;
    /// Shared with the Texture registry; an emitter without one neither updates nor draws.
    Texture* texture = nullptr;

    /// Initial values: seconds, world units per second, world units, degrees of direction.
    Range lifetime;
    Range speed;
    Range size;
    Range rotation;
    /// RGBA, 0..1.
    std::array<Range, 4> color{};

    /// Factors over a particle's life; the rotation scale is the quad's angle in degrees.
    Range sizeScale{1.0f, 1.0f};
    Range speedScale{1.0f, 1.0f};
    Range rotationScale{1.0f, 1.0f};
    std::array<Range, 4> colorScale{{{1.0f, 1.0f}, {1.0f, 1.0f}, {1.0f, 1.0f}, {1.0f, 1.0f}}};
};

} // namespace Qel
