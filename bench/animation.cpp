// CPU cost per frame of the two systems that run for every animated or glowing thing on screen:
// the particle update plus the building of every particle's sprite instance record, with all 4096
// particles of the pool alive over 16 emitters; and the animation update of 1,000 entities playing
// the shipped Cinderling controller (sprite and colour tracks) while changing state now and then.
// Runs without a display: the records are built as the draw builds them, minus the GPU upload.
#include "EcsManagers.h"
#include "BenchStats.h"
#include "ECS/SceneEntities.h"
#include "ECS/System/Systems/AnimationSystem.h"
#include "ECS/System/Systems/ParticleEmission.h"
#include "ECS/System/Systems/ParticleSystem.h"
#include "QelRenderer/AnimationController.h"
#include "QelRenderer/AnimationLoading.h"
#include "QelRenderer/Texture.h"
#include "QelRenderer/Vertices.h"

#include <stb_image_write.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <vector>

using namespace Qel;

namespace {

using Clock = std::chrono::steady_clock;
constexpr float kFrame = 1.0f / 60.0f;


struct Engine : Bench::EcsManagers {

    Engine() {
        TypeName<AnimationSystem>::assign("AnimationSystem");
        TypeName<ParticleSystem>::assign("ParticleSystem");
        systems.RegisterSystem<AnimationSystem>();
        systems.RegisterSystem<ParticleSystem>();
        systems.LoadAll();
    }

    Entity add() {
        const Entity entity = entities.CreateEntity();
        sceneEntities.insert(entity);
        return entity;
    }
};

/// A texture that is decoded but never uploaded (no renderer runs here): emitters only need one.
Texture* benchTexture(AssetManager& assets) {
    const std::filesystem::path path = std::filesystem::temp_directory_path() / "qel-bench-particle.png";
    const std::vector<uint8_t> pixels(4 * 4 * 4, 255);
    stbi_write_png(path.c_str(), 4, 4, 4, pixels.data(), 4 * 4);
    assets.load<Texture>("benchParticle", path.c_str(), hashName("benchParticle"));
    return assets.findRegistry<Texture>()->get(hashName("benchParticle"));
}

double particleFrameMicros(Engine& engine) {
    Texture* texture = benchTexture(engine.assets);
    for (int i = 0; i < 16; ++i) {
        const Entity entity = engine.add();
        Transform transform;
        transform.position =
            glm::vec3(static_cast<float>(i % 4) * 4.0f - 6.0f, static_cast<float>(i / 4) * 3.0f - 4.5f, 0.0f);
        engine.components.AddComponent(entity, transform);
        ParticleEmitter emitter;
        emitter.flags =
            ParticleEmitter::kActive | ParticleEmitter::kLooping | ParticleEmitter::kColorScaleMultiplies;
        emitter.texture = texture;
        emitter.emissionRate = 20000.0f;
        emitter.lifetime = {50.0f, 100.0f};
        emitter.speed = {0.01f, 0.05f};
        emitter.size = {0.05f, 0.1f};
        emitter.rotation = {0.0f, 360.0f};
        emitter.color = {{{1.0f, 1.0f}, {0.4f, 0.8f}, {0.1f, 0.2f}, {1.0f, 1.0f}}};
        emitter.colorScale[3] = {1.0f, 0.0f};
        emitter.sizeScale = {1.0f, 0.3f};
        emitter.rotationScale = {0.0f, 0.0f};
        engine.components.AddComponent(entity, emitter);
        engine.systems.NotifyEntityChanged(entity);
    }
    auto particles = engine.systems.GetSystem<ParticleSystem>();
    // Fill the pool: each emitter takes its share in turn until no particle is left.
    while (particles->pool().freeCount() > 0)
        particles->Update(kFrame);

    const glm::mat4 worldToNDC(1.0f);
    const std::optional<WorldRect> view = windowWorldBounds({1280.0f, 720.0f}, {0.0f, 0.0f}, 1.0f);
    std::vector<SpriteVertex> records;
    records.reserve(ParticlePool::kCapacity);
    std::vector<double> times;
    size_t live = 0;
    for (int frame = 0; frame < 600; ++frame) {
        const auto start = Clock::now();
        particles->Update(kFrame);
        records.clear();
        live = 0;
        for (const auto& [entity, group] : particles->groups()) {
            const ParticleEmitter& emitter = engine.components.GetComponent<ParticleEmitter>(entity);
            for (uint32_t index : group) {
                const Particle& particle = particles->pool()[index];
                ++live;
                if (overlaps(*view, particle.position, cullRadius(particle, emitter)))
                    records.push_back(particleVertex(particle, emitter, worldToNDC));
            }
        }
        times.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    }
    std::printf("particles: %zu live over %zu emitters, %zu records per frame\n", live,
                particles->groups().size(), records.size());
    DestroyAllSceneEntities();
    return Bench::median(times);
}

double animationFrameMicros(Engine& engine, size_t count) {
    loadAnimationFolder(std::filesystem::path(QEL_SOURCE_DIR) / "Assets/JSON");
    AnimatorController* controller =
        engine.assets.findRegistry<AnimatorController>()->get(hashName("cinderlingAnimController"));
    if (!controller) {
        std::printf("no cinderlingAnimController under Assets/JSON\n");
        return 0.0;
    }
    auto animation = engine.systems.GetSystem<AnimationSystem>();
    std::vector<Entity> animated;
    for (size_t i = 0; i < count; ++i) {
        const Entity entity = engine.add();
        engine.components.AddComponent(entity, Transform{});
        engine.components.AddComponent(entity, SpriteRenderer{});
        Animator animator;
        animator.controller = controller;
        engine.components.AddComponent(entity, animator);
        engine.systems.NotifyEntityChanged(entity);
        animated.push_back(entity);
    }
    const char* const moods[] = {"isChase", "isAttack", "isIdle"};
    std::vector<double> times;
    for (int frame = 0; frame < 600; ++frame) {
        // A few entities change state every frame, as enemies notice and lose the player.
        for (size_t i = static_cast<size_t>(frame) % 20; i < animated.size(); i += 20)
            animation->setAnimBool(animated[i], moods[(static_cast<size_t>(frame) / 20 + i) % 3], true);
        const auto start = Clock::now();
        animation->Update(kFrame);
        times.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    }
    DestroyAllSceneEntities();
    return Bench::median(times);
}

} // namespace

int main() {
    Engine engine;
    const double particles = particleFrameMicros(engine);
    std::printf(
        "particle update + instance records, 4096 live over 16 emitters: %.1f us per frame (median)\n",
        particles);
    const double animation = animationFrameMicros(engine, 1000);
    std::printf("animation update, 1000 animated entities: %.1f us per frame (median)\n", animation);
    return 0;
}
