#include "ECS/System/Systems/AnimationSystem.h"

#include "ECS/ComponentManager.h"
#include "ECS/Components/Animator.h"
#include "ECS/Components/SpriteRenderer.h"
#include "ECS/Components/Transform.h"
#include "ECS/Components/UITransform.h"
#include "QelCore/LogManager.h"
#include "QelCore/StrongAssert.h"
#include "QelRenderer/AnimationClip.h"
#include "QelRenderer/AnimationController.h"
#include "QelRenderer/AnimationTracks.h"
#include "data/NameHash.h"

#include <algorithm>

namespace Qel {

namespace {

/// Where the position, scale and rotation tracks write: the entity's Transform, else its
/// UITransform; all null when it has neither.
struct PoseTarget {
    glm::vec3* position = nullptr;
    glm::vec3* scale = nullptr;
    float* rotation = nullptr;
};

template <class T> PoseTarget targetOf(T& transform) {
    return {&transform.position, &transform.scale, &transform.rotation};
}

PoseTarget poseTargetOf(ComponentManager& components, Entity entity) {
    if (components.HasComponent<Transform>(entity))
        return targetOf(components.GetComponent<Transform>(entity));
    if (components.HasComponent<UITransform>(entity))
        return targetOf(components.GetComponent<UITransform>(entity));
    return {};
}

SpriteRenderer* spriteOf(ComponentManager& components, Entity entity) {
    return components.HasComponent<SpriteRenderer>(entity) ? &components.GetComponent<SpriteRenderer>(entity)
                                                           : nullptr;
}

void setSpriteRect(SpriteRenderer& sprite, const glm::vec4& rect) {
    sprite.uvOffset = glm::vec2(rect.x, rect.y);
    sprite.uvSize = glm::vec2(rect.z, rect.w);
}

template <class V> void writeFirst(const Graphics::Track<V>& track, V* target) {
    if (target && !track.frames.empty()) *target = track.frames.front().value;
}

template <class V> void writeSample(const Graphics::Track<V>& track, float time, V* target) {
    if (!target) return;
    if (const std::optional<V> value = Graphics::sampleTrack(track, time)) *target = *value;
}

/// The clip's first keyframes, so a state left mid-clip does not leave its pose behind.
void resetPose(ComponentManager& components, Entity entity, const Graphics::Clip* clip) {
    if (!clip) return;
    const PoseTarget pose = poseTargetOf(components, entity);
    writeFirst(clip->position, pose.position);
    writeFirst(clip->scale, pose.scale);
    writeFirst(clip->rotation, pose.rotation);
    SpriteRenderer* sprite = spriteOf(components, entity);
    if (sprite && !clip->sprite.frames.empty()) setSpriteRect(*sprite, clip->sprite.frames.front().value);
}

} // namespace

void AnimationSystem::Load() {
    ComponentManager* components = ComponentManager::instance();
    QEL_ASSERT(components, "Component Manager not ready!");
    const ComponentType animator = components->GetComponentType<Animator>();
    const ComponentType sprite = components->GetComponentType<SpriteRenderer>();
    // An unregistered type has no bit; an empty signature would instead match every entity.
    QEL_ASSERT(animator < MAX_COMPONENTS && sprite < MAX_COMPONENTS,
               "AnimationSystem needs the Animator and SpriteRenderer components registered");
    signature = Signature{}.set(animator).set(sprite);
}

void AnimationSystem::EntitySignatureChanged(Entity entity) {
    const bool wasMember = entities.contains(entity);
    if (!DefaultEntityTest(entity) || wasMember) return;
    // Built once on joining: later notifications must not append a second set of conditions.
    Animator& animator = ComponentManager::instance()->GetComponent<Animator>(entity);
    if (!animator.controller) return;
    const AnimState* initial = animator.controller->findDefaultState();
    if (!initial) return;
    animator.currentState = initial;
    animator.conditions.clear();
    for (const std::string& name : animator.controller->conditionNames)
        animator.conditions.push_back({hashName(name), false});
}

void AnimationSystem::Initialize() {
    ComponentManager* components = ComponentManager::instance();
    for (Entity entity : entities) {
        Animator& animator = components->GetComponent<Animator>(entity);
        if (!animator.controller || !animator.currentState) continue;
        animator.time = 0.0f;
        applyPose(entity, animator);
    }
}

void AnimationSystem::Update(float dt) {
    ComponentManager* components = ComponentManager::instance();
    for (Entity entity : entities) {
        Animator& animator = components->GetComponent<Animator>(entity);
        fireTransitions(entity, animator);
        if (!animator.controller || !animator.currentState) continue;
        animator.time += dt * animator.currentState->playbackSpeed;
        const Graphics::Clip* clip = animator.currentState->clip;
        if (clip && clip->isLoop && animator.time > clip->end) animator.time = 0.0f;
        applyPose(entity, animator);
    }
}

void AnimationSystem::fireTransitions(Entity entity, Animator& animator) {
    ComponentManager& components = *ComponentManager::instance();
    for (AnimatorCondition& condition : animator.conditions) {
        // Walks the transitions of the state the animator was in when this condition came up;
        // the next condition looks at wherever this one led.
        const AnimState* walked = animator.currentState;
        if (condition.raised && walked && animator.controller) {
            for (const AnimTransition& transition : walked->transitions) {
                if (std::find(transition.conditions.begin(), transition.conditions.end(), condition.key) ==
                    transition.conditions.end())
                    continue;
                resetPose(components, entity, animator.currentState->clip);
                animator.currentState = animator.controller->findState(hashName(transition.targetState));
                animator.time = 0.0f;
                if (!animator.currentState) {
                    logf(LOG_MED, "Animator of entity %llu: no state \"%s\" to move to; it stops",
                         static_cast<unsigned long long>(entity), transition.targetState.c_str());
                    break;
                }
            }
        }
        condition.raised = false;
    }
}

void AnimationSystem::applyPose(Entity entity, const Animator& animator) {
    const Graphics::Clip* clip = animator.currentState->clip;
    if (!clip) return;
    ComponentManager& components = *ComponentManager::instance();
    const float time = animator.time;
    if (SpriteRenderer* sprite = spriteOf(components, entity)) {
        if (const std::optional<glm::vec4> rect = Graphics::sampleTrack(clip->sprite, time))
            setSpriteRect(*sprite, *rect);
    }
    const PoseTarget pose = poseTargetOf(components, entity);
    writeSample(clip->position, time, pose.position);
    writeSample(clip->scale, time, pose.scale);
    writeSample(clip->rotation, time, pose.rotation);
    if (SpriteRenderer* sprite = spriteOf(components, entity)) writeSample(clip->color, time, &sprite->color);
}

bool AnimationSystem::setAnimBool(Entity entity, std::string_view name, bool value) {
    ComponentManager* components = ComponentManager::instance();
    if (!components || !components->HasComponent<Animator>(entity)) {
        logf(LOG_MED, "setAnimBool: entity %llu has no Animator", static_cast<unsigned long long>(entity));
        return false;
    }
    const uint64_t key = hashName(name);
    for (AnimatorCondition& condition : components->GetComponent<Animator>(entity).conditions)
        if (condition.key == key) condition.raised = value;
    return true;
}

} // namespace Qel
