#pragma once

#include "ECS/System/ISystem.h"

#include <glm/vec2.hpp>

namespace Qel {

class Message;

/// Prepares the scene's player (the entity tagged "playerTag") and creates its hammer (tagged
/// "hammer"), then every frame calls both scripts' earlyUpdate(dt, aimX, aimY, partnerEntityID)
/// with the unit direction from the player towards the cursor. Its TypeName text is "PlayerSystem";
/// it answers "PauseSystem" and "UnPauseSystem" on the broadcast receiver.
///
/// Its signature is empty, which would match every entity: the set holds only the player and the
/// hammer it adopted or created.
class PlayerSystem : public ISystem {
public:
    ~PlayerSystem() override;

    /// Strong assertion when another PlayerSystem is loaded; registers the pause handlers.
    void Load() override;
    /// Destroys what the previous scene left in the set, then prepares the player and creates the
    /// hammer. Without a player the system stays idle until the next Initialize.
    void Initialize() override;
    /// dt: seconds.
    void Update(float dt) override;
    /// Drops an entity of the set that no longer exists; never adds one.
    void EntitySignatureChanged(Entity entity) override;
    void Unload() override;

    /// The player as of the last look-up; MAX_ENTITIES when there is none.
    Entity player() const { return playerEntity; }
    Entity hammer() const { return hammerEntity; }
    /// Forgets the player, so the next Update looks for one again.
    void forgetPlayer() { playerEntity = MAX_ENTITIES; }

    /// The loaded PlayerSystem, or null.
    static PlayerSystem* active() { return current; }

private:
    static void onPause(Message& message);
    static void onUnPause(Message& message);
    /// Adds the components the player lacks; false when one could not be added.
    bool preparePlayer(Entity entity);
    bool createHammer();
    /// Keeps the remembered player and hammer while they exist with their tags, else looks again.
    void refreshEntities();

    Entity playerEntity = MAX_ENTITIES;
    Entity hammerEntity = MAX_ENTITIES;
    bool initializing = false;
    bool paused = false;
    /// The aim handed out last; reused while the cursor sits exactly on the player.
    glm::vec2 lastAim{1.0f, 0.0f};

    static inline PlayerSystem* current = nullptr;
};

} // namespace Qel
