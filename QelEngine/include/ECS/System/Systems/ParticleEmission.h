#pragma once

#include "ECS/Components/ParticleEmitter.h"
#include "ECS/System/Systems/ParticlePool.h"

#include <glm/mat4x4.hpp>
#include <glm/vec2.hpp>

#include <cstdint>
#include <optional>
#include <random>

namespace Qel {

struct SpriteVertex;

/// A world rectangle: left, bottom, right, top in world units.
struct WorldRect {
    glm::vec2 min{0.0f};
    glm::vec2 max{0.0f};
};

/// Advances the emitter's cycle by dt seconds. Returns whether it emits this frame: it was active
/// at the start of the frame. A non-looping emitter whose cycle ends turns itself off (after this
/// frame's emission); a looping one starts the next cycle.
bool advanceCycle(ParticleEmitter& emitter, float dt);

/// Adds dt to the emission accumulator and takes out one interval (1 / rate seconds) per particle
/// due, at most `available`. The leftover is capped at one interval, so time spent with a full
/// pool never comes out later as a burst. A rate that is not a positive finite number emits nothing.
uint32_t takeDueParticles(ParticleEmitter& emitter, float dt, uint32_t available);

/// A uniform draw between the range's two ends, in whichever order they were given.
float drawFrom(const ParticleEmitter::Range& range, std::mt19937& random);

/// A scale's value at life fraction t: start + (end - start) * t.
float scaleAt(const ParticleEmitter::Range& scale, float t);

/// A new particle at origin with values drawn from the emitter's ranges; nothing when the drawn
/// lifetime is not a positive finite number (its life fraction would be 0 / 0).
std::optional<Particle> spawnParticle(const ParticleEmitter& emitter, glm::vec2 origin, std::mt19937& random);

/// Ages the particle by dt and moves it at its speed scaled for its age. Returns false, leaving it
/// unmoved, once its lifetime has passed.
bool ageParticle(Particle& particle, const ParticleEmitter& emitter, float dt);

/// The colour a particle is drawn with: the colour scale at its age, times its own colour when the
/// emitter multiplies.
glm::vec4 drawnColor(const Particle& particle, const ParticleEmitter& emitter);

/// Half the diagonal of the largest square the particle grows to: it is drawn while a circle this
/// wide around it touches the view.
float cullRadius(const Particle& particle, const ParticleEmitter& emitter);

/// The world rectangle the camera shows, centred on it; nothing for a window or zoom that cannot
/// show anything (a zero height or zoom would make the bounds NaN).
std::optional<WorldRect> windowWorldBounds(glm::vec2 windowSize, glm::vec2 camera, float zoom);

bool overlaps(const WorldRect& view, glm::vec2 centre, float radius);

/// The particle's record in the sprite batch, without its texture unit: its square turned by the
/// rotation scale at its age (degrees), the whole texture, unlit world matrix (identity).
SpriteVertex particleVertex(const Particle& particle, const ParticleEmitter& emitter,
                            const glm::mat4& worldToNDC);

} // namespace Qel
