#pragma once

#include "ECS/System/ISystem.h"

#include <cstddef>
#include <cstdint>
#include <unordered_set>

namespace Qel {

class Message;
struct Enemy;
struct NavGrid;

/// Drives every entity with an Enemy and a Transform: recentre on a cell of the navigation grid,
/// plan a path to the player, step along it cell by cell, attack when next to the player (the
/// sound kAttackSound and the player script's get_hurt(1, enemyID)), recover
/// from a stun, and die: health 0 plays the death for one second, then the enemy is disabled.
/// Enemies move by writing their Transform. Its TypeName text is "EnemySystem"; it answers
/// "PauseSystem" and "UnPauseSystem" on the broadcast receiver.
class EnemySystem : public ISystem {
public:
    static constexpr const char* kAttackSound = "Icewalf(Enemy)/IcewalfAttack";

    /// Sets the signature {Enemy, Transform}.
    void Load() override;
    /// Clears the pause and registers the pause handlers.
    void Initialize() override;
    /// Nothing while paused or without a loaded grid. dt: seconds.
    void Update(float dt) override;
    void EntitySignatureChanged(Entity entity) override;
    void Unload() override;

    /// Enemies of the scene with health left, disabled ones included.
    size_t livingEnemies() const;

private:
    static void onPause(Message& message);
    static void onUnPause(Message& message);

    /// One enemy's step of this frame; false when the others must wait for the next frame.
    bool updateEnemy(Entity entity, Enemy& enemy, Entity player, NavGrid& grid, float dt);
    /// Whether another living enemy within sqrt(2) units stands nearer to the target.
    bool blockedByNearer(Entity entity, const Enemy& enemy) const;
    void setAnimBool(Entity entity, const char* name) const;

    /// Enemies already reported for a move speed that is not positive.
    std::unordered_set<Entity> reportedStill;
};

/// Takes `amount` hit points (rounded to the nearest whole one) from the enemy; health stops at 0,
/// which starts its death. A negative or non-finite amount changes nothing. Returns whether the
/// damage was applied.
bool damageEnemy(Enemy& enemy, float amount);

} // namespace Qel
