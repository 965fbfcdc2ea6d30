#include "ECS/System/Systems/ParticleSystem.h"

#include "ECS/ComponentManager.h"
#include "ECS/Components/ParticleEmitter.h"
#include "ECS/Components/Transform.h"
#include "ECS/EntityManager.h"
#include "ECS/System/Systems/ParticleEmission.h"
#include "QelCore/InputRecording.h"
#include "QelCore/LogManager.h"
#include "QelCore/StrongAssert.h"
#include "QelRenderer/Texture.h"
#include "data/NameHash.h"
#include "messaging/MessageManager.h"

#include <algorithm>

namespace Qel {

namespace {

const uint64_t kSetActive = hashName("PS_setActive");
const uint64_t kSetDuration = hashName("PS_setDuration");

glm::vec2 originOf(ComponentManager& components, Entity entity) {
    return components.HasComponent<Transform>(entity)
               ? glm::vec2(components.GetComponent<Transform>(entity).position)
               : glm::vec2(0.0f);
}

} // namespace

ParticleSystem::ParticleSystem() {
    current = this;
}

ParticleSystem::~ParticleSystem() {
    if (current == this) current = nullptr;
}

void ParticleSystem::Load() {
    MessageManager* messages = MessageManager::instance();
    if (!messages) QEL_STRONG_ASSERT("MessageManager not ready!");
    ComponentManager* components = ComponentManager::instance();
    const ComponentType emitter =
        components ? components->GetComponentType<ParticleEmitter>() : MAX_COMPONENTS;
    if (emitter >= MAX_COMPONENTS) QEL_STRONG_ASSERT("ParticleSystem loaded before type registered");
    uint64_t key = 0;
    BroadcastReceiver* receiver = GetPCH(key) ? messages->getReceiver(key) : nullptr;
    if (!receiver) QEL_STRONG_ASSERT("ParticleSystem could not make its message receiver");
    receiver->addHandler(kSetActive, &ParticleSystem::onSetActive);
    receiver->addHandler(kSetDuration, &ParticleSystem::onSetDuration);
    signature = Signature{}.set(emitter);
}

void ParticleSystem::Initialize() {
    random.seed(randomSeed());
}

void ParticleSystem::Unload() {
    uint64_t key = 0;
    if (!GetPCH(key)) QEL_STRONG_ASSERT("Error getting PCH while unloading ParticleSystem");
    if (MessageManager* messages = MessageManager::instance()) messages->removeReceiver(key);
    for (auto& [entity, group] : particleGroups)
        releaseGroup(group);
    particleGroups.clear();
    entities.clear();
}

void ParticleSystem::EntitySignatureChanged(Entity entity) {
    const bool wasMember = entities.contains(entity);
    const bool member = DefaultEntityTest(entity);
    if (member && !wasMember) {
        particleGroups[entity];
    } else if (!member) {
        const auto found = particleGroups.find(entity);
        if (found == particleGroups.end()) return;
        releaseGroup(found->second);
        particleGroups.erase(found);
    }
}

void ParticleSystem::releaseGroup(std::vector<uint32_t>& group) {
    for (uint32_t index : group)
        particlePool.release(index);
    group.clear();
}

ParticleEmitter* ParticleSystem::liveEmitter(Entity entity) {
    EntityManager* entityManager = EntityManager::instance();
    if (entityManager && entityManager->IsDisabled(entity)) return nullptr;
    ParticleEmitter& emitter = ComponentManager::instance()->GetComponent<ParticleEmitter>(entity);
    return emitter.texture ? &emitter : nullptr;
}

void ParticleSystem::Update(float dt) {
    ComponentManager& components = *ComponentManager::instance();
    for (Entity entity : entities) {
        ParticleEmitter* emitter = liveEmitter(entity);
        if (!emitter) continue;
        const auto found = particleGroups.find(entity);
        if (found == particleGroups.end()) QEL_STRONG_ASSERT("particleGroup missing");
        std::vector<uint32_t>& group = found->second;

        std::erase_if(group, [&](uint32_t index) {
            if (ageParticle(particlePool[index], *emitter, dt)) return false;
            particlePool.release(index);
            return true;
        });

        if (!advanceCycle(*emitter, dt)) continue;
        const uint32_t due = takeDueParticles(*emitter, dt, static_cast<uint32_t>(particlePool.freeCount()));
        const glm::vec2 origin = originOf(components, entity);
        for (uint32_t i = 0; i < due; ++i) {
            const std::optional<Particle> born = spawnParticle(*emitter, origin, random);
            if (!born) continue;
            const uint32_t index = *particlePool.acquire();
            particlePool[index] = *born;
            group.push_back(index);
        }
    }
}

void ParticleSystem::Draw(SpriteBatch& batch, const glm::mat4& worldToNDC, glm::vec2 windowSize,
                          glm::vec2 camera, float zoom) {
    const std::optional<WorldRect> view = windowWorldBounds(windowSize, camera, zoom);
    if (!view) return;
    for (Entity entity : entities) {
        const ParticleEmitter* emitter = liveEmitter(entity);
        const auto found = particleGroups.find(entity);
        if (!emitter || found == particleGroups.end()) continue;
        for (uint32_t index : found->second) {
            const Particle& particle = particlePool[index];
            if (!overlaps(*view, particle.position, cullRadius(particle, *emitter))) continue;
            SpriteVertex vertex = particleVertex(particle, *emitter, worldToNDC);
            vertex.slots.x = static_cast<float>(batch.slotFor(emitter->texture->id));
            batch.push(vertex);
        }
    }
    if (batch.count > 0) batch.flush();
}

void ParticleSystem::onSetActive(Message& message) {
    auto* args = message.argsAs<int, int>();
    ParticleSystem* system = current;
    if (!args || !system) return;
    const auto [entity, active] = *args;
    if (entity < 0 || !system->entities.contains(static_cast<Entity>(entity))) {
        logf(LOG_MED, "PS_setActive: entity %d has no particle emitter", entity);
        return;
    }
    ParticleEmitter& emitter =
        ComponentManager::instance()->GetComponent<ParticleEmitter>(static_cast<Entity>(entity));
    if (active == 0) {
        emitter.flags &= ~ParticleEmitter::kActive;
        emitter.elapsed = 0.0f;
    } else {
        emitter.flags |= ParticleEmitter::kActive;
    }
}

void ParticleSystem::onSetDuration(Message& message) {
    auto* args = message.argsAs<int, float>();
    ParticleSystem* system = current;
    if (!args || !system) return;
    const auto [entity, seconds] = *args;
    if (entity < 0 || !system->entities.contains(static_cast<Entity>(entity))) {
        logf(LOG_MED, "PS_setDuration: entity %d has no particle emitter", entity);
        return;
    }
    ComponentManager::instance()->GetComponent<ParticleEmitter>(static_cast<Entity>(entity)).duration =
        seconds;
}

} // namespace Qel
