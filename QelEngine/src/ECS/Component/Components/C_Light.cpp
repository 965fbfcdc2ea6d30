#include "ECS/Component/Components/ComponentReaders.h"

namespace Qel {

template <> Light readComponent<Light>(const JSONArr::iter& object) {
    Light light;
    readFloats(object, "color", "RGB", light.color);
    object.get("range", light.range);
    object.get("intensity", light.intensity);
    object.get("attenuation", light.attenuation);
    object.get("height", light.height);
    return light;
}

} // namespace Qel
