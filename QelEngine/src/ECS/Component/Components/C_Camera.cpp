#include "ECS/Component/Components/ComponentReaders.h"

namespace Qel {

template <> Camera readComponent<Camera>(const JSONArr::iter& object) {
    Camera camera;
    readFloats(object, "clearColor", "RGB", camera.clearColor);
    object.get("cameraZoom", camera.cameraZoom);
    object.get("priority", camera.priority);
    object.get("followSpeed", camera.followSpeed);
    readFloats(object, "offset", "XY", camera.offset);
    return camera;
}

} // namespace Qel
