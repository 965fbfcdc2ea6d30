#include "ECS/Component/Components/ComponentReaders.h"

#include "QelRenderer/AnimationController.h"

namespace Qel {

template <> Animator readComponent<Animator>(const JSONArr::iter& object) {
    Animator animator;
    animator.controller = readAssetReference<AnimatorController>(object, "animatorController");
    if (animator.controller) animator.currentState = animator.controller->findDefaultState();
    return animator;
}

} // namespace Qel
