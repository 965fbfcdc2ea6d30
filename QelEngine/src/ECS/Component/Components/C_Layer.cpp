#include "ECS/Component/Components/ComponentReaders.h"

namespace Qel {

template <> Layer readComponent<Layer>(const JSONArr::iter& object) {
    Layer layer;
    object.get("layerName", layer.layerName);
    return layer;
}

} // namespace Qel
