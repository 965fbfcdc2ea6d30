#include "ECS/System/Systems/EnemySystem.h"

#include "ECS/ComponentManager.h"
#include "ECS/Components/Animator.h"
#include "ECS/Components/Enemy.h"
#include "ECS/Components/Transform.h"
#include "ECS/EntityManager.h"
#include "ECS/System/SystemManager.h"
#include "ECS/System/Systems/AnimationSystem.h"
#include "ECS/System/Systems/PlayerSystem.h"
#include "ECS/System/Systems/ScriptCall.h"
#include "QelCore/LogManager.h"
#include "QelCore/StrongAssert.h"
#include "QelSceneManager/NodeManager.h"
#include "data/NameHash.h"
#include "messaging/MessageManager.h"

#include <glm/geometric.hpp>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

namespace Qel {

namespace {

/// Seconds a dead enemy shows its death before it is disabled.
constexpr float kDeathSeconds = 1.0f;
/// Seconds an enemy rests after an attack before it plans again.
constexpr float kAttackRecovery = 1.5f;
/// Squared world distances: how close a hit lands, and how close another chaser holds one back.
constexpr float kHitReachSquared = 9.0f;
constexpr float kCrowdingSquared = 2.0f;

bool paused = false;

float distanceSquared(glm::vec2 a, glm::vec2 b) {
    const glm::vec2 apart = a - b;
    return glm::dot(apart, apart);
}

glm::vec2 cellIndices(const GridNode& node) {
    return {static_cast<float>(node.x), static_cast<float>(node.y)};
}

/// The cell a target stands on. A body's position need not be its footprint's (the player's sprite
/// centre is half a unit above its feet), so a target pressed against a wall above it has its
/// position over the wall: it is sought on the walkable cell nearest to that position instead.
glm::ivec2 targetCell(const NavGrid& grid, glm::vec2 target) {
    const glm::ivec2 cell = grid.cellOf(target);
    if (grid.contains(cell) && !grid.at(cell).blocked) return cell;
    return nearestWalkableCell(grid, target).value_or(cell);
}

/// The player the enemies chase this frame. A player that vanished since the player system looked
/// is forgotten there, so it looks again next frame.
Entity currentPlayer() {
    PlayerSystem* players = PlayerSystem::active();
    const Entity player = players ? players->player() : MAX_ENTITIES;
    if (player == MAX_ENTITIES) return MAX_ENTITIES;
    if (EntityManager::instance()->Exists(player) &&
        ComponentManager::instance()->HasComponent<Transform>(player))
        return player;
    log(LOG_CRITICAL, "m_Player was found to be invalid!?");
    players->forgetPlayer();
    return MAX_ENTITIES;
}

void playAttackSound() {
    if (MessageManager* messages = MessageManager::instance()) {
        messages->send(
            std::make_unique<MessageArgs<uint64_t>>(hashName("playSFX"), hashName(EnemySystem::kAttackSound)),
            hashName("AudioManager"));
    }
}

void hurt(Entity target, Entity attacker) {
    const ScriptCallResult result =
        callScript(target, "get_hurt", {int64_t{1}, static_cast<int64_t>(attacker)});
    if (result != ScriptCallResult::Called) {
        logf(LOG_MED, "Enemy %llu hit entity %llu, whose script has no get_hurt to take it",
             static_cast<unsigned long long>(attacker), static_cast<unsigned long long>(target));
    }
}

} // namespace

void EnemySystem::Load() {
    ComponentManager* components = ComponentManager::instance();
    QEL_ASSERT(components, "Component Manager not ready!");
    const ComponentType enemy = components->GetComponentType<Enemy>();
    const ComponentType transform = components->GetComponentType<Transform>();
    // An unregistered type has no bit; an empty signature would instead match every entity.
    QEL_ASSERT(enemy < MAX_COMPONENTS && transform < MAX_COMPONENTS,
               "EnemySystem needs the Enemy and Transform components registered");
    signature = Signature{}.set(enemy).set(transform);
}

void EnemySystem::Initialize() {
    paused = false;
    MessageManager* messages = MessageManager::instance();
    BroadcastReceiver* broadcast = messages ? messages->getReceiver(MessageManager::kBroadcast) : nullptr;
    if (!broadcast) {
        log(LOG_CRITICAL, "Unable to get Broadcast Receiver during EnemySystem Initialize!");
        return;
    }
    broadcast->addHandler(hashName("PauseSystem"), &EnemySystem::onPause);
    broadcast->addHandler(hashName("UnPauseSystem"), &EnemySystem::onUnPause);
}

void EnemySystem::Unload() {
    entities.clear();
    reportedStill.clear();
}

void EnemySystem::onPause(Message&) {
    paused = true;
}

void EnemySystem::onUnPause(Message&) {
    paused = false;
}

void EnemySystem::EntitySignatureChanged(Entity entity) {
    if (!DefaultEntityTest(entity)) reportedStill.erase(entity);
}

void EnemySystem::Update(float dt) {
    NodeManager* nodes = NodeManager::instance();
    if (paused || !nodes || !nodes->isLoaded()) return;
    EntityManager& registry = *EntityManager::instance();
    ComponentManager& components = *ComponentManager::instance();
    // A copy: a hit reaches the player's script, which may destroy or create entities, the player
    // and enemies included; so the player is also checked again for every enemy.
    const std::vector<Entity> order(entities.begin(), entities.end());
    for (Entity entity : order) {
        if (!entities.contains(entity) || registry.IsDisabled(entity)) continue;
        Enemy& enemy = components.GetComponent<Enemy>(entity);
        if (!updateEnemy(entity, enemy, currentPlayer(), nodes->grid, dt)) return;
    }
}

bool EnemySystem::updateEnemy(Entity entity, Enemy& enemy, Entity player, NavGrid& grid, float dt) {
    if (enemy.health <= 0) {
        setAnimBool(entity, "isDeath");
        enemy.deathTime += dt;
        if (enemy.deathTime > kDeathSeconds)
            EntityManager::instance()->GetInfo(entity)->flags |= EntityInfo::kDisabled;
        return true;
    }
    // The player is looked up every frame: the one chased before may be gone, its id reused.
    if (enemy.target != player) {
        enemy.target = player;
        return false;
    }
    if (player == MAX_ENTITIES) return true;
    const float speed = enemy.moveSpeed;
    if (!(speed > 0.0f) || !std::isfinite(speed)) {
        if (reportedStill.insert(entity).second) {
            logf(LOG_MED, "Enemy %llu has move speed %g: it stands still",
                 static_cast<unsigned long long>(entity), static_cast<double>(speed));
        }
        return true;
    }

    ComponentManager& components = *ComponentManager::instance();
    Transform& transform = components.GetComponent<Transform>(entity);
    const glm::vec2 position(transform.position);
    const auto moveTo = [&transform](glm::vec2 to) {
        transform.position = glm::vec3(to, transform.position.z);
    };

    switch (enemy.state) {
    case EnemyState::Stunned:
        enemy.stunTime += dt;
        if (enemy.stunTime >= enemy.stunDuration) {
            enemy.state = EnemyState::Recentre;
            enemy.stateTime = enemy.stunTime = 0.0f;
            // With no walkable cell near, the enemy stays where it is rather than head for cell (0, 0).
            const std::optional<glm::ivec2> cell = nearestWalkableCell(grid, position);
            enemy.nextCell = cell ? grid.at(*cell) : GridNode{};
            enemy.stepDirection = cell ? grid.centreOf(*cell) - position : glm::vec2(0.0f);
        }
        return true;
    case EnemyState::Recentre: {
        // One step per frame; the last one is cut short so that the whole move is the step
        // direction, made in 0.5 / speed seconds.
        const float duration = 0.5f / speed;
        const float before = std::min(enemy.stateTime, duration);
        enemy.stateTime += dt;
        moveTo(position +
               2.0f * speed * (std::min(enemy.stateTime, duration) - before) * enemy.stepDirection);
        if (enemy.stateTime >= duration) {
            enemy.stateTime = 0.0f;
            enemy.state = EnemyState::Plan;
        }
        return true;
    }
    default:
        break;
    }

    const glm::vec2 target(components.GetComponent<Transform>(player).position);
    if (distanceSquared(position, target) >= enemy.detectionRange * enemy.detectionRange) return true;

    switch (enemy.state) {
    case EnemyState::Plan: {
        const glm::ivec2 here = grid.cellOf(position);
        const PathStep step = findPath(grid, here, targetCell(grid, target));
        if (step.result == PathResult::Adjacent) {
            enemy.state = EnemyState::Attack;
        } else if (step.result == PathResult::Step) {
            enemy.nextCell = step.next;
            enemy.currentCell = grid.at(here);
            enemy.stepDirection = cellIndices(enemy.nextCell) - cellIndices(enemy.currentCell);
            enemy.stateTime = 0.0f;
            enemy.state = EnemyState::Chase;
        }
        setAnimBool(entity, "isIdle");
        enemy.stateTime += dt;
        return true;
    }
    case EnemyState::Chase: {
        if (blockedByNearer(entity, enemy)) return true;
        // One step per frame: along the step until one cell's walk has passed, then onto the cell.
        if (enemy.stateTime >= 0.0f) {
            const glm::ivec2 from(enemy.currentCell.x, enemy.currentCell.y);
            if (1.0f / speed >= enemy.stateTime) {
                moveTo(grid.centreOf(from) + enemy.stateTime * speed * enemy.stepDirection);
            } else {
                enemy.currentCell = enemy.nextCell;
                moveTo(grid.centreOf({enemy.nextCell.x, enemy.nextCell.y}));
                enemy.state = EnemyState::Plan;
                enemy.stateTime = 0.0f;
            }
        }
        setAnimBool(entity, "isChase");
        enemy.stateTime += dt;
        return true;
    }
    case EnemyState::Attack: {
        setAnimBool(entity, "isAttack");
        if (enemy.stateTime < enemy.attackTime) {
            enemy.stateTime += dt;
            return true;
        }
        playAttackSound();
        enemy.state = EnemyState::Plan;
        enemy.stateTime = dt - kAttackRecovery;
        // Last: the player's script may destroy entities, this enemy's component included.
        if (distanceSquared(position, target) <= kHitReachSquared) hurt(player, entity);
        return true;
    }
    default:
        return true;
    }
}

size_t EnemySystem::livingEnemies() const {
    ComponentManager& components = *ComponentManager::instance();
    return static_cast<size_t>(std::count_if(entities.begin(), entities.end(), [&components](Entity entity) {
        return components.GetComponent<Enemy>(entity).health > 0;
    }));
}

bool EnemySystem::blockedByNearer(Entity entity, const Enemy& enemy) const {
    ComponentManager& components = *ComponentManager::instance();
    EntityManager& registry = *EntityManager::instance();
    const glm::vec3 own = components.GetComponent<Transform>(entity).position;
    const glm::vec2 target(components.GetComponent<Transform>(enemy.target).position);
    const float ownToTarget = distanceSquared(glm::vec2(own), target);
    for (Entity other : entities) {
        if (other == entity || registry.IsDisabled(other) ||
            components.GetComponent<Enemy>(other).health <= 0)
            continue;
        const glm::vec3 there = components.GetComponent<Transform>(other).position;
        const glm::vec3 apart = there - own;
        if (glm::dot(apart, apart) <= kCrowdingSquared &&
            distanceSquared(glm::vec2(there), target) < ownToTarget)
            return true;
    }
    return false;
}

void EnemySystem::setAnimBool(Entity entity, const char* name) const {
    // Animators are optional on enemies; the animation system would log each missing one.
    if (!ComponentManager::instance()->HasComponent<Animator>(entity)) return;
    if (auto animation = SystemManager::instance()->GetSystem<AnimationSystem>())
        animation->setAnimBool(entity, name, true);
}

bool damageEnemy(Enemy& enemy, float amount) {
    if (!std::isfinite(amount) || amount < 0.0f) return false;
    // Widened: a health read from a file may be negative enough to overflow the subtraction.
    const double left = static_cast<double>(enemy.health) - std::round(static_cast<double>(amount));
    enemy.health = static_cast<int32_t>(std::max(0.0, left));
    return true;
}

} // namespace Qel
