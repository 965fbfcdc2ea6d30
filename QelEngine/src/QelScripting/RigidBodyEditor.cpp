#include "ECS/Components/RigidBody2D.h"
#include "Physics/BodyKind.h"
#include "QelScripting/Bindings.h"
#include "QelScripting/ComponentEditor.h"

namespace Qel {

namespace {

using namespace Bindings;
using Body = RigidBody2D;

int setMass(lua_State* L, int first, Body& body) {
    const std::optional<float> mass = LuaArgs::numberAt(L, first);
    return mass && setBodyMass(body, *mass) ? 0 : kBadArguments;
}

int addImpulse(lua_State* L, int first, Body& body) {
    const std::optional<glm::vec2> impulse = numbersAt<2>(L, first);
    if (!impulse) return kBadArguments;
    body.velocity += body.invMass * *impulse;
    return 0;
}

/// An action that only changes the body's kind.
template <void (*Make)(Body&)> int setKind(lua_State*, int, Body& body) {
    Make(body);
    return 0;
}

constexpr EditorAction<Body> kActions[] = {
    {"setMass", setMass},
    {"getMass", getFloat<Body, &Body::mass>},
    {"setDrag", setFloat<Body, &Body::drag>},
    {"getDrag", getFloat<Body, &Body::drag>},
    {"setRestitution", setFloat<Body, &Body::restitution>},
    {"getRestitution", getFloat<Body, &Body::restitution>},
    {"setVelocity", setVector<Body, glm::vec2, &Body::velocity>},
    {"getVelocity", getVector<Body, glm::vec2, &Body::velocity>},
    {"addImpulse", addImpulse},
    {"setStatic", setKind<makeStatic>},
    {"setDynamic", setKind<makeDynamic>},
    {"setKinematic", setKind<makeKinematic>},
    {"isStatic", getFlag<Body, &Body::isStatic>},
    {"isDynamic", getFlag<Body, &Body::isDynamic>},
    {"isKinematic", getFlag<Body, &Body::isKinematic>},
};

} // namespace

int GOScript_editRigidBody(lua_State* L) {
    return editComponent<Body>(L, "GOScript_RigidBody", kActions);
}

} // namespace Qel
