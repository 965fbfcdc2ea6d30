#pragma once

#include "ECS/Entity.h"
#include "QelSceneManager/GridNode.h"

#include <glm/vec2.hpp>

#include <cstdint>
#include <vector>

namespace Qel {

/// Steps of an enemy's behaviour.
enum class EnemyState : int32_t {
    Plan = 0,
    /// Stepping towards the next cell of its path.
    Chase = 1,
    Stunned = 2,
    /// Moving onto the centre of a cell.
    Recentre = 3,
    Attack = 4,
};

/// Component: behaviour data of an enemy. The fields after `attackTime` are run-time state of the
/// enemy system; a new enemy starts recentring, without a target, on no cell.
struct Enemy {
    /// Seconds spent dead.
    float deathTime = 0.0f;
    /// 0 means dead.
    int32_t health = 0;
    /// Cells per second.
    float moveSpeed = 0.0f;
    /// World units.
    float detectionRange = 0.0f;
    /// Seconds an attack winds up.
    float attackTime = 0.0f;

    EnemyState state = EnemyState::Recentre;
    Entity target = MAX_ENTITIES;
    /// Movement of one step, world units.
    glm::vec2 stepDirection{0.0f, 0.0f};
    GridNode currentCell;
    GridNode nextCell;
    /// Seconds in the current state step.
    float stateTime = 0.0f;
    /// Seconds stunned so far, and for how long the stun lasts.
    float stunTime = 0.0f;
    float stunDuration = 0.0f;
    /// Working storage of the path search.
    std::vector<GridNode> path;
};

} // namespace Qel
