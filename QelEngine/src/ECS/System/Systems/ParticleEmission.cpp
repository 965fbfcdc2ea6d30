#include "ECS/System/Systems/ParticleEmission.h"

#include "ECS/Components/ModelMatrix.h"
#include "QelRenderer/CameraMath.h"
#include "QelRenderer/Vertices.h"

#include <glm/gtc/matrix_transform.hpp>

#include <algorithm>
#include <cmath>

namespace Qel {

namespace {

constexpr float kDegreesToRadiansForDirection = 0.017453292f;
constexpr float kHalfDiagonal = 0.70710677f;

bool isPositiveFinite(float value) {
    return value > 0.0f && std::isfinite(value);
}

/// A uniform float in [0, 1) from one 32-bit draw.
float unitDraw(std::mt19937& random) {
    return static_cast<float>(random() >> 8) * (1.0f / 16777216.0f);
}

} // namespace

bool advanceCycle(ParticleEmitter& emitter, float dt) {
    if (!(emitter.flags & ParticleEmitter::kActive)) return false;
    emitter.elapsed += dt;
    if (emitter.elapsed >= emitter.duration) {
        if (emitter.flags & ParticleEmitter::kLooping) {
            emitter.elapsed -= emitter.duration;
            // A duration shorter than the frame (or not positive) would leave the cycle behind.
            if (!(emitter.elapsed < emitter.duration)) emitter.elapsed = 0.0f;
        } else {
            emitter.elapsed = 0.0f;
            emitter.flags &= ~ParticleEmitter::kActive;
        }
    }
    return true;
}

uint32_t takeDueParticles(ParticleEmitter& emitter, float dt, uint32_t available) {
    if (!isPositiveFinite(emitter.emissionRate)) {
        emitter.emissionAccumulator = 0.0f;
        return 0;
    }
    const float interval = 1.0f / emitter.emissionRate;
    float& accumulator = emitter.emissionAccumulator;
    accumulator += dt;
    uint32_t due = 0;
    while (accumulator > interval && due < available) {
        accumulator -= interval;
        ++due;
    }
    if (!(accumulator <= interval)) accumulator = std::isfinite(accumulator) ? interval : 0.0f;
    return due;
}

float drawFrom(const ParticleEmitter::Range& range, std::mt19937& random) {
    return range.low + (range.high - range.low) * unitDraw(random);
}

float scaleAt(const ParticleEmitter::Range& scale, float t) {
    return scale.low + (scale.high - scale.low) * t;
}

std::optional<Particle> spawnParticle(const ParticleEmitter& emitter, glm::vec2 origin,
                                      std::mt19937& random) {
    const float direction = drawFrom(emitter.rotation, random) * kDegreesToRadiansForDirection;
    const float speed = drawFrom(emitter.speed, random);
    Particle particle;
    for (int channel = 0; channel < 4; ++channel)
        particle.color[channel] = drawFrom(emitter.color[static_cast<size_t>(channel)], random);
    particle.size = drawFrom(emitter.size, random);
    particle.lifetime = drawFrom(emitter.lifetime, random);
    if (!isPositiveFinite(particle.lifetime)) return std::nullopt;
    particle.position = origin;
    particle.velocity = glm::vec2(std::cos(direction), std::sin(direction)) * speed;
    return particle;
}

bool ageParticle(Particle& particle, const ParticleEmitter& emitter, float dt) {
    particle.age += dt;
    if (particle.age > particle.lifetime) return false;
    particle.t = particle.age / particle.lifetime;
    particle.position += particle.velocity * scaleAt(emitter.speedScale, particle.t) * dt;
    return true;
}

glm::vec4 drawnColor(const Particle& particle, const ParticleEmitter& emitter) {
    glm::vec4 scale;
    for (int channel = 0; channel < 4; ++channel)
        scale[channel] = scaleAt(emitter.colorScale[static_cast<size_t>(channel)], particle.t);
    return (emitter.flags & ParticleEmitter::kColorScaleMultiplies) ? particle.color * scale : scale;
}

float cullRadius(const Particle& particle, const ParticleEmitter& emitter) {
    const float largest = std::max(std::abs(emitter.sizeScale.low), std::abs(emitter.sizeScale.high));
    return std::abs(particle.size) * largest * kHalfDiagonal;
}

std::optional<WorldRect> windowWorldBounds(glm::vec2 windowSize, glm::vec2 camera, float zoom) {
    if (!(windowSize.x > 0.0f && windowSize.y > 0.0f) || !isPositiveFinite(zoom)) return std::nullopt;
    const glm::vec2 half = cullingHalfExtents(windowSize, zoom);
    return WorldRect{camera - half, camera + half};
}

bool overlaps(const WorldRect& view, glm::vec2 centre, float radius) {
    return centre.x - radius <= view.max.x && view.min.x <= centre.x + radius &&
           centre.y - radius <= view.max.y && view.min.y <= centre.y + radius;
}

SpriteVertex particleVertex(const Particle& particle, const ParticleEmitter& emitter,
                            const glm::mat4& worldToNDC) {
    const float side = particle.size * scaleAt(emitter.sizeScale, particle.t);
    const float angle = scaleAt(emitter.rotationScale, particle.t) * kDegreesToRadians;
    glm::mat4 model = glm::translate(glm::mat4(1.0f), glm::vec3(particle.position, 0.0f));
    model = glm::rotate(model, angle, glm::vec3(0.0f, 0.0f, 1.0f));
    model = glm::scale(model, glm::vec3(side, side, 1.0f));
    SpriteVertex vertex;
    vertex.color = drawnColor(particle, emitter);
    vertex.modelToNDC = worldToNDC * model;
    return vertex;
}

} // namespace Qel
