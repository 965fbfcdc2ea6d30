#include "ECS/System/Systems/PlayerSystem.h"

#include "ECS/Component/Components/ComponentReaders.h"
#include "ECS/ComponentManager.h"
#include "ECS/EntityManager.h"
#include "ECS/SceneEntities.h"
#include "ECS/System/SystemManager.h"
#include "ECS/System/Systems/ScriptCall.h"
#include "Physics/OBB.h"
#include "QelCore/Gamepad.h"
#include "QelCore/LogManager.h"
#include "QelCore/StrongAssert.h"
#include "QelRenderer/AnimationController.h"
#include "QelRenderer/CameraMath.h"
#include "QelRenderer/CameraState.h"
#include "QelRenderer/Mesh.h"
#include "QelRenderer/Shader.h"
#include "QelRenderer/Texture.h"
#include "data/NameHash.h"
#include "messaging/MessageManager.h"

#include <glm/geometric.hpp>

#include <cmath>
#include <string_view>
#include <utility>
#include <vector>

namespace Qel {

namespace {

constexpr std::string_view kPlayerTag = "playerTag";
constexpr std::string_view kHammerTag = "hammer";
constexpr glm::vec2 kHammerHalfExtents{0.375f, 0.375f};

bool hasTag(Entity entity, std::string_view tag) {
    const EntityInfo* info = EntityManager::instance()->GetInfo(entity);
    return info && info->tag == tag;
}

// Registry order: the lowest id, which for a freshly loaded scene is the first object in its file.
Entity firstTagged(std::string_view tag) {
    for (Entity entity = 0; entity < MAX_ENTITIES; ++entity) {
        if (hasTag(entity, tag)) return entity;
    }
    return MAX_ENTITIES;
}

/// Adds `component` unless the entity has a T already; whether the entity has one afterwards.
template <class T> bool addIfMissing(Entity entity, T component) {
    ComponentManager& components = *ComponentManager::instance();
    if (!components.HasComponent<T>(entity)) components.AddComponent(entity, std::move(component));
    return components.HasComponent<T>(entity);
}

SpriteRenderer sprite(std::string_view texture, int32_t layer) {
    SpriteRenderer sprite;
    sprite.layerNum = layer;
    sprite.texture = findAsset<Texture>(texture);
    sprite.shader = findAsset<Shader>("sprite");
    sprite.mesh = findAsset<Mesh>("quad");
    return sprite;
}

Animator animator(std::string_view controller) {
    Animator animator;
    animator.controller = findAsset<AnimatorController>(controller);
    if (animator.controller) animator.currentState = animator.controller->findDefaultState();
    return animator;
}

// Built by the script system as soon as it hears of the entity: canBuild is what it asks for.
GOScripts scripts(std::string_view own) {
    GOScripts scripts;
    scripts.scripts[0] = hashName("audioFunctions");
    scripts.scripts[1] = hashName(own);
    scripts.flags = GOScripts::kCanBuild;
    return scripts;
}

ColliderPtr box() {
    return ColliderPtr(std::make_unique<OBB>(), "OBB");
}

// The hammer's partner call runs on the hammer's script, the player's on the player's.
void callEarlyUpdate(Entity entity, float dt, glm::vec2 aim, Entity partner) {
    callScript(entity, "earlyUpdate", {dt, aim.x, aim.y, static_cast<int64_t>(partner)});
}

} // namespace

// A system torn down without its Unload must not stay named as the loaded one.
PlayerSystem::~PlayerSystem() {
    if (current == this) current = nullptr;
}

void PlayerSystem::Load() {
    if (current) QEL_STRONG_ASSERT("Attempted to Load multiple instances of PlayerSystem");
    current = this;
    MessageManager* messages = MessageManager::instance();
    BroadcastReceiver* broadcast = messages ? messages->getReceiver(MessageManager::kBroadcast) : nullptr;
    if (!broadcast) {
        log(LOG_CRITICAL, "Unable to get Broadcast Receiver during PlayerSystem Load!");
        return;
    }
    broadcast->addHandler(hashName("PauseSystem"), &PlayerSystem::onPause);
    broadcast->addHandler(hashName("UnPauseSystem"), &PlayerSystem::onUnPause);
}

void PlayerSystem::Unload() {
    if (current == this) current = nullptr;
}

void PlayerSystem::onPause(Message&) {
    if (current) current->paused = true;
}

void PlayerSystem::onUnPause(Message&) {
    if (current) current->paused = false;
}

void PlayerSystem::EntitySignatureChanged(Entity entity) {
    if (entities.contains(entity) && !EntityManager::instance()->Exists(entity)) entities.erase(entity);
}

void PlayerSystem::Initialize() {
    initializing = true;
    paused = false;
    // Normally empty by now: the scene's end destroyed the player and the hammer with it.
    const std::vector<Entity> leftovers(entities.begin(), entities.end());
    entities.clear();
    for (Entity entity : leftovers) {
        if (EntityManager::instance()->Exists(entity)) DestroyObject({entity, true});
    }
    playerEntity = hammerEntity = MAX_ENTITIES;
    lastAim = {1.0f, 0.0f};
    // A scene without a player has the pad aim around the window's centre.
    setGamepadAimCentre(std::nullopt);

    const Entity found = firstTagged(kPlayerTag);
    if (found == MAX_ENTITIES) return;
    if (!preparePlayer(found)) QEL_STRONG_ASSERT("Failed to create/validate Player");
    if (!createHammer()) QEL_STRONG_ASSERT("Failed to create/validate Hammer");
    initializing = false;
}

bool PlayerSystem::preparePlayer(Entity entity) {
    if (!EntityManager::instance()->Exists(entity)) return false;
    // A body read from a file without kind keys is static and could not walk: the default here is
    // the dynamic body of mass 1 a player needs.
    RigidBody2D body;
    body.isStatic = false;
    body.isDynamic = true;
    const bool complete =
        addIfMissing(entity, Transform{}) && addIfMissing(entity, sprite("PlayerSheet", 5)) &&
        addIfMissing(entity, Camera{}) && addIfMissing(entity, body) && addIfMissing(entity, box()) &&
        addIfMissing(entity, Layer{"Default"}) && addIfMissing(entity, animator("playerAnimController")) &&
        addIfMissing(entity, scripts("playerScript"));
    if (!complete) return false;
    playerEntity = entity;
    entities.insert(entity);
    SystemManager::instance()->NotifyEntityChanged(entity);
    return true;
}

bool PlayerSystem::createHammer() {
    EntityManager& registry = *EntityManager::instance();
    const Entity entity = registry.CreateEntity();
    EntityInfo* info = registry.GetInfo(entity);
    if (!info) return false;
    info->name = "Hammer";
    info->tag = kHammerTag;
    // A scene entity like any other, so the scene's end takes it away with the player.
    sceneEntities.insert(entity);
    entities.insert(entity);
    if (!addIfMissing(entity, Transform{}) || !addIfMissing(entity, sprite("basicHammer", 6)) ||
        !addIfMissing(entity, RigidBody2D{}) || !addIfMissing(entity, box())) {
        return false;
    }
    ColliderPtr& collider = ComponentManager::instance()->GetComponent<ColliderPtr>(entity);
    auto* shape = dynamic_cast<OBB*>(collider.collider.get());
    if (!shape) QEL_STRONG_ASSERT("Hammer collider unavailable");
    shape->halfExtents = kHammerHalfExtents;
    if (!addIfMissing(entity, Layer{"Default"}) || !addIfMissing(entity, animator("hammerAnimController")) ||
        !addIfMissing(entity, scripts("hammerScript"))) {
        return false;
    }
    hammerEntity = entity;
    SystemManager::instance()->NotifyEntityChanged(entity);
    return true;
}

void PlayerSystem::refreshEntities() {
    // Scripts may destroy either entity, and a destroyed id is soon handed to another entity.
    if (!hasTag(playerEntity, kPlayerTag)) {
        playerEntity = firstTagged(kPlayerTag);
        if (playerEntity != MAX_ENTITIES) entities.insert(playerEntity);
    }
    if (!hasTag(hammerEntity, kHammerTag)) {
        hammerEntity = firstTagged(kHammerTag);
        if (hammerEntity != MAX_ENTITIES) entities.insert(hammerEntity);
    }
}

void PlayerSystem::Update(float dt) {
    if (initializing || paused) return;
    refreshEntities();
    ComponentManager& components = *ComponentManager::instance();
    if (playerEntity == MAX_ENTITIES || !components.HasComponent<Transform>(playerEntity)) return;

    const glm::vec2 position(components.GetComponent<Transform>(playerEntity).position);
    const glm::vec2 aim = mouseToWorld() - position;
    // The pad's right stick aims around the player as the screen shows it now.
    setGamepadAimCentre(glm::dvec2(worldToScreen(position, currentWindowSize(), cameraState())));
    const float length = glm::length(aim);
    // The cursor exactly on the player has no direction: the player keeps facing the last one.
    if (length > 0.0f && std::isfinite(length)) lastAim = aim / length;

    callEarlyUpdate(playerEntity, dt, lastAim, hammerEntity);
    if (hammerEntity != MAX_ENTITIES) callEarlyUpdate(hammerEntity, dt, lastAim, playerEntity);
}

} // namespace Qel
