#include "ECS/Component/Components/ComponentReaders.h"
#include "Physics/BodyKind.h"

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

    // One kind wins, static before kinematic before dynamic.
    if (body.isStatic) {
        makeStatic(body);
    } else if (body.isKinematic) {
        makeKinematic(body);
    } else {
        makeDynamic(body);
    }
    return body;
}

} // namespace Qel
