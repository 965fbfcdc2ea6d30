// Reads arbitrary bytes as an animation clip and as an animator controller, then plays the
// controller on an entity with every condition raised. Structural errors end the game with a
// strong assertion by design; the target asks the same checks the loaders ask first and skips
// such inputs, so every exit or crash that remains is a real fault. Loaded clips must hold
// strictly ascending, finite keyframes, and playback must never write a non-finite value.
#include "ECS/Component/RegisterComponents.h"
#include "ECS/SceneEntities.h"
#include "ECS/System/Systems/AnimationSystem.h"
#include "QelRenderer/AnimationClip.h"
#include "QelRenderer/AnimationController.h"

#include "FuzzSupport.h"

#include <cmath>

namespace {

struct World : fuzz::EcsWorld {
    World() {
        Qel::TypeName<Qel::AnimationSystem>::assign("AnimationSystem");
        animation = systems.RegisterSystem<Qel::AnimationSystem>();
        animation->Load();
    }

    std::shared_ptr<Qel::AnimationSystem> animation;
};

template <class V> void checkTrack(const Qel::Graphics::Track<V>& track) {
    for (size_t i = 0; i < track.frames.size(); ++i) {
        fuzz::require(std::isfinite(track.frames[i].time));
        fuzz::require(i == 0 || track.frames[i - 1].time < track.frames[i].time);
    }
}

bool finite(const glm::vec4& value) {
    return std::isfinite(value.x) && std::isfinite(value.y) && std::isfinite(value.z) &&
           std::isfinite(value.w);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static World* world = new World();
    const std::string text = fuzz::text(data, size);

    // Each input's clip is registered under the name controllers may ask for; a registry keeps
    // its first entry, so a fresh one is used per input.
    Qel::Registry<Qel::Graphics::Clip>* clips = world->assets.obtainRegistry<Qel::Graphics::Clip>();
    clips->eraseIf([](auto&, auto&) { return true; });
    Qel::JSON clipDoc = fuzz::parse(text);
    if (!Qel::Graphics::clipStructureError(clipDoc)) {
        const Qel::Graphics::Clip clip(clipDoc);
        checkTrack(clip.position);
        checkTrack(clip.scale);
        checkTrack(clip.rotation);
        checkTrack(clip.sprite);
        checkTrack(clip.color);
        clips->add(Qel::hashName("fuzz"), clip);
    }

    Qel::JSON controllerDoc = fuzz::parse(text);
    if (Qel::controllerStructureError(controllerDoc)) return 0;
    Qel::AnimatorController controller(controllerDoc);
    for (const auto& [key, state] : controller.states)
        fuzz::require(state.clip);

    const Qel::Entity entity = world->entities.CreateEntity();
    Qel::Animator animator;
    animator.controller = &controller;
    world->components.AddComponent(entity, animator);
    world->components.AddComponent(entity, Qel::Transform{});
    world->components.AddComponent(entity, Qel::SpriteRenderer{});
    world->systems.NotifyEntityChanged(entity);
    for (float dt : {0.0f, 0.016f, 0.5f, 3.0f}) {
        for (const std::string& name : controller.conditionNames)
            world->animation->setAnimBool(entity, name, true);
        world->animation->Update(dt);
        const Qel::Transform& transform = world->components.GetComponent<Qel::Transform>(entity);
        const Qel::SpriteRenderer& sprite = world->components.GetComponent<Qel::SpriteRenderer>(entity);
        fuzz::require(finite(glm::vec4(transform.position, transform.rotation)) &&
                      finite(glm::vec4(transform.scale, 0.0f)) && finite(sprite.color) &&
                      finite(glm::vec4(sprite.uvOffset, sprite.uvSize)));
    }
    Qel::DestroyObject({entity, true});
    return 0;
}
