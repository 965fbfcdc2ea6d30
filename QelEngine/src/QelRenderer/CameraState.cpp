#include "QelRenderer/CameraState.h"

namespace Qel {

CameraState& cameraState() {
    static CameraState state;
    return state;
}

} // namespace Qel
