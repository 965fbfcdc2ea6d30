#include "ECS/Component/Components/ComponentReaders.h"

namespace Qel {

template <> Transform readComponent<Transform>(const JSONArr::iter& object) {
    Transform transform;
    // Depth (z) is the scene's business, never the file's.
    readFloats(object, "position", "XY", transform.position);
    readFloats(object, "scale", "XY", transform.scale);
    object.get("rotation", transform.rotation);
    return transform;
}

} // namespace Qel
