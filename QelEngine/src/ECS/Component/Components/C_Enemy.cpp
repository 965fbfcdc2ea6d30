#include "ECS/Component/Components/ComponentReaders.h"

namespace Qel {

// The run-time fields keep their starting values: recentring, no target, no cells.
template <> Enemy readComponent<Enemy>(const JSONArr::iter& object) {
    Enemy enemy;
    object.get("health", enemy.health);
    object.get("mspeed", enemy.moveSpeed);
    object.get("dRange", enemy.detectionRange);
    object.get("aspeed", enemy.attackTime);
    return enemy;
}

} // namespace Qel
