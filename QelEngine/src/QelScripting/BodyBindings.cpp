#include "ECS/Components/RigidBody2D.h"
#include "ECS/Components/Transform.h"
#include "Physics/BodyKind.h"
#include "Physics/ColliderPtr.h"
#include "QelScripting/BindingChecks.h"
#include "QelScripting/Bindings.h"

#include <glm/geometric.hpp>

namespace Qel {

namespace {

using namespace Bindings;

constexpr Form kSetMass{"GOScript_setMass", 2, false, "(entityID, mass) : (integer, number)"};
constexpr Form kAddForce{"GOScript_addForce", 3, false,
                         "(entityID, forceX, forceY) : (integer, number, number)"};
constexpr Form kAddForceTowards{"GOScript_addForceTowards", 4, false,
                                "(entityID, pointX, pointY, magnitude) : (integer, number, number, number)"};
constexpr Form kGetPosition{"GOScript_getPosition", 1, false, "(entityID) : (integer)"};
constexpr Form kSetPosition{"GOScript_setPosition", 3, false, "(entityID, x, y) : (integer, number, number)"};
constexpr Form kGetVelocity{"GOScript_getVelocity", 1, true, "(entityID) : (integer)"};
constexpr Form kSetVelocity{"GOScript_setVelocity", 3, false,
                            "(entityID, forceX, forceY) : (integer, number, number)"};
constexpr Form kSetVelocityTowards{"GOScript_setVelocityTowards", 4, false,
                                   "(entityID, pointX, pointY, speed) : (integer, number, number, number)"};
constexpr Form kUpdatePhysicsBody{"GOScript_updatePhysicsBody", 1, true, "(entityID) : (integer)"};

/// The entity's Transform and body, both required by the bindings that aim at a point.
struct Placed {
    Entity entity = MAX_ENTITIES;
    Transform* transform = nullptr;
    RigidBody2D* body = nullptr;
};

std::optional<Placed> placedBody(lua_State* L, const char* who) {
    const std::optional<Entity> entity = targetAt(L, 1, who);
    if (!entity) return std::nullopt;
    Transform* transform = componentOf<Transform>(*entity, who);
    RigidBody2D* body = transform ? componentOf<RigidBody2D>(*entity, who) : nullptr;
    if (!body) return std::nullopt;
    return Placed{*entity, transform, body};
}

/// The unit vector from the transform's position towards point, or nullopt when they coincide.
std::optional<glm::vec2> directionTo(const Transform& transform, glm::vec2 point) {
    const glm::vec2 offset = point - glm::vec2(transform.position);
    if (offset == glm::vec2(0.0f)) return std::nullopt;
    return offset / glm::length(offset);
}

int pushPair(lua_State* L, glm::vec2 pair) {
    lua_pushnumber(L, pair.x);
    lua_pushnumber(L, pair.y);
    return 2;
}

} // namespace

int GOScript_setMass(lua_State* L) {
    const std::optional<glm::vec<1, float>> mass = idAndNumbers<1>(L, kSetMass);
    if (!mass) return 0;
    RigidBody2D* body = targetComponent<RigidBody2D>(L, 1, kSetMass.name);
    if (body && !setBodyMass(*body, mass->x)) logBadTypes(kSetMass);
    return 0;
}

int GOScript_addForce(lua_State* L) {
    const std::optional<glm::vec2> force = idAndNumbers<2>(L, kAddForce);
    if (!force) return 0;
    if (RigidBody2D* body = targetComponent<RigidBody2D>(L, 1, kAddForce.name)) body->force += *force;
    return 0;
}

int GOScript_addForceTowards(lua_State* L) {
    const std::optional<glm::vec3> args = idAndNumbers<3>(L, kAddForceTowards);
    if (!args) return 0;
    // A zero magnitude is refused as a wrong argument: it can only be a script's mistake.
    if (args->z == 0.0f) {
        logBadTypes(kAddForceTowards);
        return 0;
    }
    const std::optional<Placed> placed = placedBody(L, kAddForceTowards.name);
    if (!placed) return 0;
    if (const std::optional<glm::vec2> direction = directionTo(*placed->transform, glm::vec2(*args)))
        placed->body->force += *direction * args->z;
    return 0;
}

int GOScript_getPosition(lua_State* L) {
    if (!idFits(L, kGetPosition)) return 0;
    const Transform* transform = targetComponent<Transform>(L, 1, kGetPosition.name);
    return transform ? pushPair(L, glm::vec2(transform->position)) : 0;
}

int GOScript_setPosition(lua_State* L) {
    const std::optional<glm::vec2> position = idAndNumbers<2>(L, kSetPosition);
    if (!position) return 0;
    if (Transform* transform = targetComponent<Transform>(L, 1, kSetPosition.name)) {
        transform->position.x = position->x;
        transform->position.y = position->y;
    }
    return 0;
}

int GOScript_getVelocity(lua_State* L) {
    const RigidBody2D* body =
        idFits(L, kGetVelocity) ? targetComponent<RigidBody2D>(L, 1, kGetVelocity.name) : nullptr;
    return pushPair(L, body ? body->velocity : glm::vec2(0.0f));
}

int GOScript_setVelocity(lua_State* L) {
    const std::optional<glm::vec2> velocity = idAndNumbers<2>(L, kSetVelocity);
    if (!velocity) return 0;
    if (RigidBody2D* body = targetComponent<RigidBody2D>(L, 1, kSetVelocity.name)) body->velocity = *velocity;
    return 0;
}

int GOScript_setVelocityTowards(lua_State* L) {
    const std::optional<glm::vec3> args = idAndNumbers<3>(L, kSetVelocityTowards);
    if (!args) return 0;
    const std::optional<Placed> placed = placedBody(L, kSetVelocityTowards.name);
    if (!placed) return 0;
    const float speed = args->z;
    if (speed == 0.0f) {
        placed->body->velocity = {0.0f, 0.0f};
    } else if (const std::optional<glm::vec2> direction = directionTo(*placed->transform, glm::vec2(*args))) {
        placed->body->velocity = *direction * speed;
    }
    return 0;
}

int GOScript_updatePhysicsBody(lua_State* L) {
    if (!idFits(L, kUpdatePhysicsBody)) return 0;
    const char* who = kUpdatePhysicsBody.name;
    const std::optional<Placed> placed = placedBody(L, who);
    ColliderPtr* collider = placed ? componentOf<ColliderPtr>(placed->entity, who) : nullptr;
    if (!collider) return 0;
    if (!collider->collider) {
        logMissingComponent(who);
        return 0;
    }
    const Transform& transform = *placed->transform;
    RigidBody2D& body = *placed->body;
    body.position = body.prevPosition = glm::vec2(transform.position);
    body.rotation = transform.rotation;
    collider->collider->update(glm::vec2(transform.position), transform.rotation);
    return 0;
}

} // namespace Qel
