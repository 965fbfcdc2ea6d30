#pragma once

#include <cstdint>
#include <vector>

namespace Qel {

class AnimatorController;
struct AnimState;

/// A condition an animator's controller listens for, raised by scripts for one frame.
struct AnimatorCondition {
    /// Name hash of the condition.
    uint64_t key = 0;
    bool raised = false;
};

/// Component: plays an animator controller on the entity's transform and sprite.
struct Animator {
    /// Seconds into the current state, scaled by its playback speed.
    float time = 0.0f;
    /// A state of `controller`, or null for none.
    const AnimState* currentState = nullptr;
    /// Built by the animation system from the controller's condition names.
    std::vector<AnimatorCondition> conditions;
    /// Shared with the AnimatorController registry; null when the file names no loaded one.
    AnimatorController* controller = nullptr;
};

} // namespace Qel
