#pragma once

#include "ECS/System/ISystem.h"

#include <string_view>

namespace Qel {

struct Animator;

/// Plays animator controllers: fires the transitions whose conditions were raised, advances the
/// state's time and writes the clip's tracks into the entity's Transform (or UITransform) and
/// SpriteRenderer. Its TypeName text is "AnimationSystem".
class AnimationSystem : public ISystem {
public:
    /// Sets the signature {Animator, SpriteRenderer}; both types must be registered.
    void Load() override;
    /// Restarts every animator at time 0 and applies that pose.
    void Initialize() override;
    /// Transitions, then playback, per entity. dt: seconds.
    void Update(float dt) override;
    /// An entity joining starts in its controller's default state with one lowered condition per
    /// condition name; one leaving is dropped.
    void EntitySignatureChanged(Entity entity) override;
    void Unload() override { entities.clear(); }

    /// Raises (or lowers) every condition of the entity's animator named `name`; names its
    /// controller does not use change nothing. An entity without an Animator is logged and left
    /// alone. Returns whether the entity has an Animator.
    bool setAnimBool(Entity entity, std::string_view name, bool value);

private:
    void fireTransitions(Entity entity, Animator& animator);
    void applyPose(Entity entity, const Animator& animator);
};

} // namespace Qel
