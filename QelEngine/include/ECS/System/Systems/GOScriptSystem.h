#pragma once

#include "ECS/System/ISystem.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <utility>
#include <vector>

namespace Qel {

class LuaScript;
class Message;

/// Gives every entity with a GOScripts component its own Lua state, built from the entity's
/// scripts, and calls the scripts' onInit, onUpdate, onCollide and onTrigger. Keeps the table
/// of script tags that scripts address each other by. Its TypeName text is "GOScriptSystem";
/// it answers "handleCollision" (int kind, u64 entity, u64 other) on its own receiver and
/// "PauseSystem" / "UnPauseSystem" on the broadcast receiver.
///
/// Scripts may create and destroy entities while they run (menus, scene changes): loops walk
/// snapshots, entities are looked up again after every call into Lua, and a state is shared
/// with whoever is running it, so it closes only once its call has returned.
class GOScriptSystem : public ISystem {
public:
    /// Registers the two pause handlers on the broadcast receiver.
    GOScriptSystem();
    ~GOScriptSystem() override;

    /// Becomes the loaded system, sets the signature {GOScripts}, registers "handleCollision".
    void Load() override;
    void Initialize() override {}
    /// onUpdate(dt) of every script whose entity is enabled, unless paused. dt: seconds.
    void Update(float dt) override;
    /// An entity joining builds its script (when its canBuild is set); one leaving drops it.
    void EntitySignatureChanged(Entity entity) override;
    /// No longer the loaded system; removes its receiver.
    void Unload() override;

    /// The collision message for entity: onCollide(other's tag), then the handler it returns
    /// with (kind, other). kind: 1 enter, 2 stay, 3 exit.
    void handleCollision(int kind, Entity entity, Entity other);

    /// The entity's script, or null. Hold the pointer while calling into it.
    std::shared_ptr<LuaScript> scriptOf(Entity entity) const;
    /// The entities registered under a script tag's name hash, in table order.
    std::vector<Entity> tagged(uint64_t tagHash) const;
    bool isPaused() const { return paused; }
    size_t scriptCount() const { return instances.size(); }

    /// The loaded system, which the script bindings reach; null when none is loaded.
    static GOScriptSystem* active() { return loaded; }

private:
    struct Instance {
        std::shared_ptr<LuaScript> script;
        uint64_t tag = 0;
        bool hasTag = false;
    };

    /// Builds (or rebuilds) the entity's state; false when its text does not load.
    bool build(Entity entity);
    /// Forgets the entity's state and tag; the state closes once no call holds it.
    void drop(Entity entity);
    void untag(Entity entity, uint64_t tag);
    static void onPause(Message& message);
    static void onUnPause(Message& message);

    std::map<Entity, Instance> instances;
    std::multimap<uint64_t, Entity> tags;
    /// Update's snapshot, kept to reuse its memory.
    std::vector<std::pair<Entity, std::shared_ptr<LuaScript>>> updateOrder;
    bool paused = false;
    inline static GOScriptSystem* loaded = nullptr;
};

} // namespace Qel
