#include "ECS/Component/Components/ComponentReaders.h"

namespace Qel {

template <> UITransform readComponent<UITransform>(const JSONArr::iter& object) {
    UITransform transform;
    readFloats(object, "position", "XYZ", transform.position);
    readFloats(object, "scale", "XYZ", transform.scale);
    object.get("rotation", transform.rotation);
    readFloats(object, "pivot", "XY", transform.pivot);
    readFloats(object, "anchorMin", "XY", transform.anchorMin);
    readFloats(object, "anchorMax", "XY", transform.anchorMax);
    object.get("width", transform.width);
    object.get("height", transform.height);
    object.get("layer", transform.layer);
    return transform;
}

} // namespace Qel
