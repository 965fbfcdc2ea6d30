#pragma once

#include "ECS/Entity.h"
#include "ECS/TypeName.h"

#include <cstdint>
#include <unordered_set>

namespace Qel {

class SystemManager;

/// A system works on the entities whose signature contains its own. The SystemManager creates
/// each system once and drives it through the lifecycle calls below.
class ISystem {
public:
    virtual ~ISystem() = default;
    /// Sets the system's signature; may register message handlers.
    virtual void Load() = 0;
    virtual void Initialize() = 0;
    /// dt: frame time in seconds.
    virtual void Update(float dt) = 0;
    /// Called after an entity received all its components and after it was destroyed. Most
    /// systems just run DefaultEntityTest().
    virtual void EntitySignatureChanged(Entity entity) = 0;
    /// Removes the system's message receiver and clears its own containers.
    virtual void Unload() {}

    const std::unordered_set<Entity>& GetEntities() const { return entities; }
    Signature GetSignature() const { return signature; }
    /// The system's messaging key (the hash of its type name); false when it has none.
    bool GetPCH(uint64_t& out) const { return PCHashFn && PCHashFn(out); }

protected:
    /// True when the entity exists and has every component of the signature. An empty signature
    /// matches any id, even one that does not exist.
    bool Matches(Entity entity) const;
    /// Adds the entity to `entities` when it matches, removes it otherwise. Returns the match.
    bool DefaultEntityTest(Entity entity);

    std::unordered_set<Entity> entities;
    Signature signature;

private:
    friend class SystemManager;
    PCHFunction PCHashFn = nullptr;
};

} // namespace Qel
