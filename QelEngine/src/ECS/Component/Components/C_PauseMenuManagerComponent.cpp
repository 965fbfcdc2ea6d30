#include "ECS/Component/Components/ComponentReaders.h"

namespace Qel {

// A marker: nothing to read.
template <> PauseMenuManagerComponent readComponent<PauseMenuManagerComponent>(const JSONArr::iter&) {
    return {};
}

} // namespace Qel
