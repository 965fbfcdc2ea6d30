#include "Physics/Collider2D.h"

namespace Qel {

void Collider2D::setOffset(const glm::vec2& newOffset) {
    offset = newOffset;
}

void Collider2D::clearContactState() {
    otherEntity = MAX_ENTITIES;
    isTrigger = false;
    wasColliding = false;
    onTriggerEnter = nullptr;
    onTriggerExit = nullptr;
    onTriggerStay = nullptr;
    onCollisionEnter = nullptr;
    onCollisionExit = nullptr;
    onCollisionStay = nullptr;
}

} // namespace Qel
