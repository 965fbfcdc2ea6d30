#include "Autopilot.h"

#include "GameStates.h"

#include "ECS/ComponentManager.h"
#include "ECS/Components/Enemy.h"
#include "ECS/Components/Text.h"
#include "ECS/Components/Transform.h"
#include "ECS/Components/UITransform.h"
#include "ECS/System/Systems/ButtonHitTest.h"
#include "ECS/System/Systems/DialogueSystem.h"
#include "ECS/System/Systems/PlayerSystem.h"
#include "Physics/ColliderPtr.h"
#include "QelRenderer/CameraMath.h"
#include "QelRenderer/CameraState.h"
#include "QelSceneManager/NodeManager.h"
#include "QelSceneManager/QelSceneManager.h"

#include <glm/geometric.hpp>

#include <algorithm>
#include <cstdio>

namespace Qel::test {

namespace {

/// Seconds between clicks on menus and conversations.
constexpr float kClickSeconds = 0.2f;
/// The hammer's swing and its rest before the next, in seconds.
constexpr float kSwingCycle = 0.4f;
/// World units from the player's hands (below the sprite's centre) to a Cinderling: within
/// kStrikeReach a swing lands; within kStandReach the player stops walking and keeps swinging.
constexpr glm::vec2 kHands{0.0f, -0.3f};
constexpr float kStrikeReach = 2.0f;
constexpr float kStandReach = 1.4f;
/// A direction shorter than this on an axis holds no key on it: half of what the player walks
/// in a frame (world units), so that it comes to rest instead of stepping back and forth.
constexpr float kDeadZone = 0.15f;

template <class T> T& get(Entity entity) {
    return ComponentManager::instance()->GetComponent<T>(entity);
}

/// The window pixel (origin top left) under which the camera shows `world`: mouseToWorld undone.
glm::vec2 worldToCursor(glm::vec2 world) {
    const CameraState& camera = cameraState();
    const glm::vec4 clip = camera.projection * camera.view * glm::vec4(world, 0.0f, 1.0f);
    const glm::vec2 size = currentWindowSize();
    return {(clip.x + 1.0f) * 0.5f * size.x, (1.0f - clip.y) * 0.5f * size.y};
}

/// The living Cinderling nearest to `from`; MAX_ENTITIES when none is left.
Entity nearestEnemy(glm::vec2 from) {
    EntityManager& registry = *EntityManager::instance();
    ComponentManager& components = *ComponentManager::instance();
    Entity nearest = MAX_ENTITIES;
    float best = 0.0f;
    for (Entity entity : sceneEntities) {
        if (registry.IsDisabled(entity) || !components.HasComponent<Enemy>(entity) ||
            get<Enemy>(entity).health <= 0)
            continue;
        const float distance = glm::distance(from, glm::vec2(get<Transform>(entity).position));
        if (nearest == MAX_ENTITIES || distance < best) {
            nearest = entity;
            best = distance;
        }
    }
    return nearest;
}

} // namespace

Autopilot::Autopilot(float step, bool fights) : step(step), fights(fights) {}

int Autopilot::shownHealth() {
    const Entity display = sceneEntityNamed("PlayerHealth");
    int health = -1;
    if (display != MAX_ENTITIES) std::sscanf(get<Text>(display).text.c_str(), "Health %d", &health);
    return health;
}

std::optional<glm::vec2> Autopilot::playerPosition() {
    PlayerSystem* players = PlayerSystem::active();
    if (!players || players->player() == MAX_ENTITIES) return std::nullopt;
    return glm::vec2(get<Transform>(players->player()).position);
}

void Autopilot::sceneStarted() {
    SceneManager& scenes = *SceneManager::instance();
    if (scenes.isRestart()) ++restarts;
    scene = scenes.getNextScenePath().filename();
}

void Autopilot::drive() {
    seconds += step;
    // A click is a press for one frame; the release frame does nothing else with the button.
    if (buttonDown) {
        handleInputEvent(GLFW_MOUSE_BUTTON_LEFT, GLFW_RELEASE);
        buttonDown = false;
    }
    PlayerSystem* players = PlayerSystem::active();
    const Entity player = players ? players->player() : MAX_ENTITIES;
    const DialogueSystem* dialogue = DialogueSystem::active();
    if (dialogue && dialogue->isActive()) {
        walk(glm::vec2(0.0f));
        return click(glm::vec2(getCursorPosition()), kClickSeconds);
    }
    if (player == MAX_ENTITIES) {
        const Entity play = sceneEntityNamed("PlayButton");
        if (play == MAX_ENTITIES) return;
        const glm::vec2 size = currentWindowSize();
        const glm::vec2 centre = elementCentre(get<UITransform>(play), size);
        return click({centre.x + size.x / 2.0f, size.y / 2.0f - centre.y}, kClickSeconds);
    }
    if (fights) fight(player);
}

void Autopilot::click(glm::vec2 cursor, float interval) {
    handleCursorMoved(cursor.x, cursor.y);
    if (buttonDown || seconds - lastClick < interval) return;
    handleInputEvent(GLFW_MOUSE_BUTTON_LEFT, GLFW_PRESS);
    buttonDown = true;
    lastClick = seconds;
}

void Autopilot::fight(Entity player) {
    const glm::vec2 position(get<Transform>(player).position);
    // The body's footprint is what walls stop and what stands on a cell.
    const ColliderPtr& body = get<ColliderPtr>(player);
    const glm::vec2 feet = body.collider ? body.collider->position : position;

    const Entity enemy = nearestEnemy(feet);
    const Entity exit = sceneEntityNamed("LevelExit");
    const Entity goal = enemy != MAX_ENTITIES ? enemy : exit;
    if (goal == MAX_ENTITIES) return walk(glm::vec2(0.0f));
    const glm::vec2 target(get<Transform>(goal).position);
    const float reach = glm::distance(position + kHands, target);
    if (enemy != MAX_ENTITIES && reach < kStrikeReach) {
        // One frame more than the swing's cycle, so that no click falls on its last frame.
        click(worldToCursor(target), kSwingCycle + step);
    } else {
        handleCursorMoved(worldToCursor(target).x, worldToCursor(target).y);
    }
    const bool standing = enemy != MAX_ENTITIES && reach < kStandReach;
    walk(standing ? glm::vec2(0.0f) : waypoint(feet, target) - feet);
}

glm::vec2 Autopilot::waypoint(glm::vec2 feet, glm::vec2 goal) {
    // The same search the Cinderlings plan with; it names the first cell of the way.
    NavGrid& grid = NodeManager::instance()->grid;
    const PathStep next = findPath(grid, grid.cellOf(feet), grid.cellOf(goal));
    return next.result == PathResult::Step ? grid.centreOf({next.next.x, next.next.y}) : goal;
}

void Autopilot::walk(glm::vec2 direction) {
    std::vector<int> keys;
    if (direction.x > kDeadZone) keys.push_back(GLFW_KEY_D);
    if (direction.x < -kDeadZone) keys.push_back(GLFW_KEY_A);
    if (direction.y > kDeadZone) keys.push_back(GLFW_KEY_W);
    if (direction.y < -kDeadZone) keys.push_back(GLFW_KEY_S);
    for (int key : heldKeys)
        if (std::find(keys.begin(), keys.end(), key) == keys.end()) handleInputEvent(key, GLFW_RELEASE);
    for (int key : keys)
        if (std::find(heldKeys.begin(), heldKeys.end(), key) == heldKeys.end())
            handleInputEvent(key, GLFW_PRESS);
    heldKeys = std::move(keys);
}

} // namespace Qel::test
