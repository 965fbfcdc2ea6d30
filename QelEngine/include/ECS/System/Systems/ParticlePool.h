#pragma once

#include <glm/vec2.hpp>
#include <glm/vec4.hpp>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace Qel {

/// One live particle of the shared pool.
struct Particle {
    /// Fraction of its life gone, 0..1.
    float t = 0.0f;
    /// Seconds since birth.
    float age = 0.0f;
    /// Seconds it lives.
    float lifetime = 0.0f;
    /// Side of its square at birth, world units.
    float size = 0.0f;
    /// RGBA at birth, 0..1.
    glm::vec4 color{1.0f};
    /// World units.
    glm::vec2 position{0.0f};
    /// World units per second.
    glm::vec2 velocity{0.0f};
};

/// A fixed number of particles, made once, handed out by index from a free list.
class ParticlePool {
public:
    static constexpr uint32_t kCapacity = 4096;

    ParticlePool();

    /// A free particle's index, or nothing when every particle is taken.
    std::optional<uint32_t> acquire();
    /// Gives a taken particle back.
    void release(uint32_t index);
    size_t freeCount() const { return freeList.size(); }

    Particle& operator[](uint32_t index) { return particles[index]; }
    const Particle& operator[](uint32_t index) const { return particles[index]; }

private:
    std::vector<Particle> particles;
    std::vector<uint32_t> freeList;
};

} // namespace Qel
