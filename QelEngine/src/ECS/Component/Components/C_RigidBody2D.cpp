#include "ECS/Component/Components/ComponentReaders.h"

namespace Qel {

template <> RigidBody2D readComponent<RigidBody2D>(const JSONArr::iter& object) {
    RigidBody2D body;
    if (object.get("mass", body.mass)) body.invMass = body.mass == 0.0f ? 0.0f : 1.0f / body.mass;
    readFloats(object, "velocity", "XY", body.velocity);
    object.get("restitution", body.restitution);
    object.get("drag", body.drag);
    object.get("isStatic", body.isStatic);
    object.get("isDynamic", body.isDynamic);
    object.get("isKinematic", body.isKinematic);

    // One kind wins, static before kinematic before dynamic. A near-zero mass (its inverse may
    // even be infinite) never survives: static and kinematic bodies are not pushed, a dynamic
    // body falls back to unit mass.
    if (body.isStatic) {
        body.isDynamic = false;
        body.isKinematic = false;
        body.mass = 0.0f;
        body.invMass = 0.0f;
        body.velocity = {0.0f, 0.0f};
    } else if (body.isKinematic) {
        body.isDynamic = false;
        if (body.mass < RigidBody2D::kMinimumMass) {
            body.mass = 0.0f;
            body.invMass = 0.0f;
        }
    } else {
        body.isDynamic = true;
        if (body.mass < RigidBody2D::kMinimumMass) {
            body.mass = 1.0f;
            body.invMass = 1.0f;
        }
    }
    return body;
}

} // namespace Qel
