#include "ECS/Component/Components/ComponentReaders.h"

#include "Physics/Circle.h"
#include "Physics/OBB.h"
#include "Physics/Rect2D.h"

namespace Qel {

std::unique_ptr<Collider2D> makeColliderShape(std::string_view typeName) {
    switch (hashName(typeName)) {
    case hashName("Circle"):
        return std::make_unique<Circle>();
    case hashName("Rect2D"):
        return std::make_unique<Rect2D>();
    case hashName("OBB"):
        return std::make_unique<OBB>();
    default:
        return nullptr;
    }
}

template <> ColliderPtr readComponent<ColliderPtr>(const JSONArr::iter& object) {
    ColliderPtr component;
    object.get("type", component.type);
    component.collider = makeColliderShape(component.type);
    if (!component.collider) component.collider = std::make_unique<OBB>();
    Collider2D& shape = *component.collider;

    glm::vec2 offset = shape.offset;
    readFloats(object, "offset", "XY", offset);
    shape.setOffset(offset);
    // Each size goes through setScale on its own, so the shape's own fields (radius, half
    // extents) follow whichever axes the file gives.
    glm::vec2 size = shape.scale;
    if (object.get("colliderSizeX", size.x)) shape.setScale(size);
    if (object.get("colliderSizeY", size.y)) shape.setScale(size);
    object.get("isTrigger", shape.isTrigger);
    return component;
}

} // namespace Qel
