#pragma once

#include <string>

namespace Qel {

/// Component: the entity's collision layer. A name the layer table does not know acts as "Default".
struct Layer {
    std::string layerName;
};

} // namespace Qel
