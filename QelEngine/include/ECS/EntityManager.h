#pragma once

#include "ECS/Entity.h"
#include "QelCore/Singleton.h"

#include <cstdint>
#include <deque>
#include <string>
#include <unordered_map>

namespace Qel {

/// What the engine knows about a living entity beyond its components.
struct EntityInfo {
    static constexpr uint8_t kDisabled = 1;

    Signature signature;
    std::string name;
    std::string tag = "Untagged";
    /// Bit 0 (kDisabled): systems skip the entity.
    uint8_t flags = 0;
};

/// Hands out scene entity ids 0..MAX_ENTITIES-1 and keeps one EntityInfo per living entity.
/// Freed ids are reused first-in first-out.
class EntityManager : public Singleton<EntityManager> {
public:
    EntityManager();

    /// A new entity with an empty signature, an empty name and the tag "Untagged". At the
    /// limit it logs at CRITICAL and returns MAX_ENTITIES without creating anything.
    Entity CreateEntity();
    /// Frees the id for reuse. Out-of-range ids and ids that are not alive are logged at LOW
    /// and change nothing.
    void DestroyEntity(Entity entity);

    // The queries remember their last hit, hence not const.
    bool Exists(Entity entity);
    /// The entity's record, or null when it does not exist. Valid until the next create or destroy.
    EntityInfo* GetInfo(Entity entity);
    /// The entity's signature; empty when it does not exist.
    Signature GetSignature(Entity entity);
    /// False for an entity that does not exist.
    bool IsDisabled(Entity entity);

    uint64_t LivingCount() const { return livingCount; }

private:
    uint64_t livingCount = 0;
    std::deque<Entity> available;
    std::unordered_map<Entity, EntityInfo> entities;
    // One-entry cache of the last successful look-up; systems query the same entity repeatedly.
    // Cleared by every create and destroy.
    Entity lastLookupEntity = MAX_ENTITIES;
    EntityInfo* lastLookup = nullptr;
};

} // namespace Qel
