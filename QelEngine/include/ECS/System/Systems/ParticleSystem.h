#pragma once

#include "ECS/System/ISystem.h"
#include "ECS/System/Systems/ParticlePool.h"
#include "QelRenderer/FrameResources.h"

#include <glm/mat4x4.hpp>
#include <glm/vec2.hpp>

#include <random>
#include <unordered_map>
#include <vector>

namespace Qel {

class Message;
struct ParticleEmitter;

/// Spawns, moves and draws the particles of every entity with a ParticleEmitter. Each emitter
/// owns a group of particles taken from one shared pool of 4096. Its TypeName text is
/// "ParticleSystem"; it answers "PS_setActive" (int entity, int active) and "PS_setDuration"
/// (int entity, float seconds) on its own receiver.
class ParticleSystem : public ISystem {
public:
    ParticleSystem();
    ~ParticleSystem() override;

    /// Sets the signature {ParticleEmitter} and registers the two message handlers.
    void Load() override;
    /// Seeds the particles' randomness: a recorded run repeats it.
    void Initialize() override;
    /// Ages every group, then lets each active emitter emit. dt: seconds.
    void Update(float dt) override;
    /// An entity joining gets an empty group; one leaving gives its particles back.
    void EntitySignatureChanged(Entity entity) override;
    /// Removes the receiver and gives every particle back.
    void Unload() override;

    /// Queues every live particle inside the view (window size in pixels, camera position and
    /// zoom) into the sprite batch, flushing at the end; the "spriteUnlit" program must be bound.
    /// Nothing is drawn for a window or zoom that shows nothing.
    void Draw(SpriteBatch& batch, const glm::mat4& worldToNDC, glm::vec2 windowSize, glm::vec2 camera,
              float zoom);

    /// Emitters and their live particles (pool indices), for drawing and inspection.
    const std::unordered_map<Entity, std::vector<uint32_t>>& groups() const { return particleGroups; }
    const ParticlePool& pool() const { return particlePool; }

    /// The system that handles the messages; null while none exists.
    static ParticleSystem* active() { return current; }

private:
    static void onSetActive(Message& message);
    static void onSetDuration(Message& message);
    /// Gives all particles of a group back to the pool.
    void releaseGroup(std::vector<uint32_t>& group);
    /// The emitter of an entity of this system that updates and draws: not disabled, with a texture.
    ParticleEmitter* liveEmitter(Entity entity);

    ParticlePool particlePool;
    std::unordered_map<Entity, std::vector<uint32_t>> particleGroups;
    std::mt19937 random;
    inline static ParticleSystem* current = nullptr;
};

} // namespace Qel
