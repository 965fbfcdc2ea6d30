// N moving 32 x 32 textured sprites in a 1280 x 720 window, drawn two ways in one run: through the
// engine's whole frame (sorting, culling, lights and shadows, bloom, composite, UI) and through a
// minimal reference that uploads one offset per sprite and issues one instanced draw. Sprite counts
// stay within a scene's entity limit (with the four lamps); the last row draws the particle pool's
// full 4,096 particles instead. Also the CPU cost of building one sprite instance record. Needs an
// X display (xvfb-run).
#include "BenchStats.h"
#include "ECS/Component/RegisterComponents.h"
#include "ECS/ComponentManager.h"
#include "ECS/Components/Light.h"
#include "ECS/Components/ModelMatrix.h"
#include "ECS/Components/ParticleEmitter.h"
#include "ECS/Components/SpriteRenderer.h"
#include "ECS/Components/Transform.h"
#include "ECS/EntityManager.h"
#include "ECS/Prefab/PrefabManager.h"
#include "ECS/SceneEntities.h"
#include "ECS/System/RegisterSystems.h"
#include "ECS/System/SystemManager.h"
#include "ECS/System/Systems/ParticleSystem.h"
#include "QelCore/LogManager.h"
#include "QelCore/WindowHandler.h"
#include "QelRenderer/CameraMath.h"
#include "QelRenderer/CameraState.h"
#include "QelRenderer/GraphicsEngine.h"
#include "QelRenderer/Shader.h"
#include "QelRenderer/SpriteInstances.h"
#include "QelRenderer/SpriteRendereSystem.h"
#include "QelRenderer/Texture.h"
#include "QelRenderer/TransformSystem.h"
#include "QelSceneManager/NodeManager.h"
#include "QelSceneManager/QelSceneManager.h"
#include "data/AssetManager.h"
#include "messaging/MessageManager.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <stb_image_write.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <vector>

using namespace Qel;

namespace {

constexpr int kWarmUpFrames = 10;
constexpr int kMeasuredFrames = 60;
constexpr float kPixelsPerUnit = 32.0f; // one world unit is one 32 x 32 sprite
constexpr glm::vec2 kHalfView{640.0f / kPixelsPerUnit, 360.0f / kPixelsPerUnit};

using Clock = std::chrono::steady_clock;

/// Positions and velocities shared by both ways of drawing, bouncing inside the view.
struct Swarm {
    std::vector<glm::vec2> positions;
    std::vector<glm::vec2> velocities;

    explicit Swarm(size_t count) {
        std::mt19937 random(7);
        std::uniform_real_distribution<float> x(-kHalfView.x, kHalfView.x), y(-kHalfView.y, kHalfView.y),
            v(-4.0f, 4.0f);
        for (size_t i = 0; i < count; ++i) {
            positions.emplace_back(x(random), y(random));
            velocities.emplace_back(v(random), v(random));
        }
    }

    void step(float dt) {
        for (size_t i = 0; i < positions.size(); ++i) {
            positions[i] += velocities[i] * dt;
            for (int axis = 0; axis < 2; ++axis)
                if (std::abs(positions[i][axis]) > kHalfView[axis])
                    velocities[i][axis] = -velocities[i][axis];
        }
    }
};

/// The managers a frame needs, the shipped shaders loaded, and the test texture.
struct Engine {
    LogManager log;
    MessageManager messages;
    WindowHandler window;
    GraphicsEngine graphics;
    EntityManager entities;
    ComponentManager components;
    SystemManager systems;
    PrefabManager prefabs;
    AssetManager assets;
    SceneManager scenes;
    NodeManager nodes;
    Texture* texture = nullptr;

    Engine() {
        log.setEchoPriority(LOG_CRITICAL);
        glfwSwapInterval(0);
        graphics.Startup();
        registerComponentTypes(components, prefabs);
        registerSystems(systems);
        graphics.Load();
        systems.LoadAll();
        texture = makeTexture();
        CameraState& camera = cameraState();
        camera.view = lookAt(glm::vec3(0.0f), glm::vec3(0.0f, 0.0f, -1.0f), camera.up);
        camera.projection = ortho(-kHalfView.x, kHalfView.x, -kHalfView.y, kHalfView.y, -10.0f, 10.0f);
        camera.screenProjection = ortho(-640.0f, 640.0f, -360.0f, 360.0f, -10.0f, 10.0f);
        camera.zoom = 12.7f; // culling box just larger than the view
        graphics.createRenderTargets();
        addLights();
    }

    Texture* makeTexture() {
        const std::filesystem::path path = std::filesystem::temp_directory_path() / "qel-bench-sprite.png";
        std::vector<uint8_t> pixels(32 * 32 * 4);
        for (int i = 0; i < 32 * 32; ++i) {
            const bool edge = i % 32 == 0 || i % 32 == 31 || i / 32 == 0 || i / 32 == 31;
            const uint8_t shade = static_cast<uint8_t>(edge ? 60 : 120 + (i % 32) * 4);
            pixels[i * 4 + 0] = 255;
            pixels[i * 4 + 1] = shade;
            pixels[i * 4 + 2] = 40;
            pixels[i * 4 + 3] = 255;
        }
        stbi_write_png(path.c_str(), 32, 32, 4, pixels.data(), 32 * 4);
        assets.load<Texture>("benchSprite", path.c_str());
        return assets.findRegistry<Texture>()->get(hashName("benchSprite"));
    }

    void addLights() {
        for (int i = 0; i < 4; ++i) {
            const Entity lamp = entities.CreateEntity();
            Transform transform;
            transform.position = glm::vec3(-15.0f + 10.0f * i, 0.0f, 0.0f);
            components.AddComponent(lamp, transform);
            Light light;
            light.range = 12.0f;
            components.AddComponent(lamp, light);
            sceneEntities.insert(lamp);
            systems.NotifyEntityChanged(lamp);
        }
    }

    std::vector<Entity> addSprites(const Swarm& swarm) {
        std::vector<Entity> sprites;
        for (size_t i = 0; i < swarm.positions.size(); ++i) {
            const Entity entity = entities.CreateEntity();
            Transform transform;
            transform.position = glm::vec3(swarm.positions[i], 0.0f);
            components.AddComponent(entity, transform);
            SpriteRenderer sprite;
            sprite.texture = texture;
            sprite.layerNum = static_cast<int>(i % 4);
            sprite.isCastShadow = i % 8 == 0;
            components.AddComponent(entity, sprite);
            sceneEntities.insert(entity);
            systems.NotifyEntityChanged(entity);
            sprites.push_back(entity);
        }
        return sprites;
    }

    /// One emitter at the view's centre that fills the particle pool in its first update and keeps
    /// every particle alive and in view for the whole run.
    void addParticleFountain() {
        const Entity fountain = entities.CreateEntity();
        components.AddComponent(fountain, Transform{});
        ParticleEmitter emitter;
        emitter.flags = ParticleEmitter::kActive | ParticleEmitter::kLooping;
        emitter.duration = 1000.0f;
        emitter.emissionRate = 1.0e7f;
        emitter.texture = texture;
        emitter.lifetime = {1000.0f, 1000.0f};
        emitter.speed = {0.0f, 0.1f};
        emitter.size = {0.5f, 1.0f};
        emitter.rotation = {0.0f, 360.0f};
        emitter.color = {{{1.0f, 1.0f}, {1.0f, 1.0f}, {1.0f, 1.0f}, {1.0f, 1.0f}}};
        components.AddComponent(fountain, emitter);
        sceneEntities.insert(fountain);
        systems.NotifyEntityChanged(fountain);
    }

    /// Back to a scene of only the lights.
    void clearSprites() {
        DestroyAllSceneEntities();
        addLights();
    }
};

/// Median milliseconds of a frame: wall time and the main thread's CPU time.
struct FrameCost {
    double wall = 0.0;
    double cpu = 0.0;
};

/// Times frames: each call of `frame` is one, after the warm-up ones.
template <typename Frame> FrameCost timeFrames(Frame&& frame) {
    std::vector<double> wall, cpu;
    for (int i = 0; i < kWarmUpFrames + kMeasuredFrames; ++i) {
        const auto start = Clock::now();
        const double cpuStart = Bench::threadCpuMs();
        frame();
        glFinish();
        if (i < kWarmUpFrames) continue;
        wall.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        cpu.push_back(Bench::threadCpuMs() - cpuStart);
    }
    return {Bench::median(wall), Bench::median(cpu)};
}

/// What the engine's frame drew and what it cost.
struct EngineFrame {
    FrameCost cost;
    size_t sprites = 0;
    size_t particles = 0;
};

/// The engine's whole frame for the swarm, or for a full particle pool and no sprites.
EngineFrame engineFrame(Engine& engine, Swarm swarm, bool particles) {
    const std::vector<Entity> sprites = engine.addSprites(swarm);
    if (particles) engine.addParticleFountain();
    auto transforms = engine.systems.GetSystem<TransformSystem>();
    auto emitters = engine.systems.GetSystem<ParticleSystem>();
    auto renderer = engine.systems.GetSystem<SpriteRendereSystem>();
    const FrameCost cost = timeFrames([&] {
        swarm.step(1.0f / 60.0f);
        for (size_t i = 0; i < sprites.size(); ++i)
            engine.components.GetComponent<Transform>(sprites[i]).position =
                glm::vec3(swarm.positions[i], 0.0f);
        transforms->Update(1.0f / 60.0f);
        emitters->Update(1.0f / 60.0f);
        renderer->Update(1.0f / 60.0f);
        engine.window.swapBuffers();
    });
    const EngineFrame result{cost, engine.graphics.spritesDrawnLastFrame(),
                             ParticlePool::kCapacity - emitters->pool().freeCount()};
    engine.clearSprites();
    return result;
}

const char* kReferenceVertex = R"(#version 450 core
layout(location = 0) in vec2 aCorner;
layout(location = 1) in vec2 aOffset;
uniform vec2 uHalfView;
out vec2 uv;
void main() {
    uv = aCorner + 0.5;
    gl_Position = vec4((aOffset + aCorner) / uHalfView, 0.0, 1.0);
})";
const char* kReferenceFragment = R"(#version 450 core
in vec2 uv;
uniform sampler2D uSprite;
out vec4 colour;
void main() { colour = texture(uSprite, uv); })";

/// The least a renderer must do: one offset per sprite uploaded, one instanced draw of a textured quad.
struct Reference {
    GLuint program = 0, vao = 0, corners = 0, offsets = 0;

    explicit Reference(size_t maxSprites) {
        program = glCreateProgram();
        for (auto [type, source] :
             {std::pair{GL_VERTEX_SHADER, kReferenceVertex}, {GL_FRAGMENT_SHADER, kReferenceFragment}}) {
            const GLuint shader = glCreateShader(type);
            glShaderSource(shader, 1, &source, nullptr);
            glCompileShader(shader);
            glAttachShader(program, shader);
            glDeleteShader(shader);
        }
        glLinkProgram(program);
        const float quad[] = {-0.5f, -0.5f, 0.5f, -0.5f, -0.5f, 0.5f, 0.5f, 0.5f};
        glCreateBuffers(1, &corners);
        glNamedBufferStorage(corners, sizeof(quad), quad, 0);
        glCreateBuffers(1, &offsets);
        glNamedBufferStorage(offsets, std::max<size_t>(maxSprites, 1) * sizeof(glm::vec2), nullptr,
                             GL_DYNAMIC_STORAGE_BIT);
        glCreateVertexArrays(1, &vao);
        glVertexArrayVertexBuffer(vao, 0, corners, 0, sizeof(glm::vec2));
        glVertexArrayVertexBuffer(vao, 1, offsets, 0, sizeof(glm::vec2));
        for (GLuint location : {0u, 1u}) {
            glEnableVertexArrayAttrib(vao, location);
            glVertexArrayAttribFormat(vao, location, 2, GL_FLOAT, GL_FALSE, 0);
            glVertexArrayAttribBinding(vao, location, location);
        }
        glVertexArrayBindingDivisor(vao, 1, 1);
    }
    ~Reference() {
        glDeleteVertexArrays(1, &vao);
        glDeleteBuffers(1, &corners);
        glDeleteBuffers(1, &offsets);
        glDeleteProgram(program);
    }

    FrameCost frame(WindowHandler& window, GLuint texture, Swarm swarm) {
        glUseProgram(program);
        glUniform2f(glGetUniformLocation(program, "uHalfView"), kHalfView.x, kHalfView.y);
        glUniform1i(glGetUniformLocation(program, "uSprite"), 0);
        glBindTextureUnit(0, texture);
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glViewport(0, 0, 1280, 720);
        const FrameCost cost = timeFrames([&] {
            swarm.step(1.0f / 60.0f);
            glNamedBufferSubData(offsets, 0, swarm.positions.size() * sizeof(glm::vec2),
                                 swarm.positions.data());
            glClear(GL_COLOR_BUFFER_BIT);
            glBindVertexArray(vao);
            glDrawArraysInstanced(GL_TRIANGLE_STRIP, 0, 4, static_cast<GLsizei>(swarm.positions.size()));
            window.swapBuffers();
        });
        glBindVertexArray(0);
        glUseProgram(0);
        return cost;
    }
};

/// A batch that records nothing: only the CPU work of building and queueing instances remains.
struct NoGpu {
    static uint32_t createInstanceBuffer(size_t) { return 1; }
    static void deleteBuffer(uint32_t) {}
    static uint32_t maxTextureUnits() { return 32; }
    static void bindVertexArray(uint32_t) {}
    static void bindArrayBuffer(uint32_t) {}
    static void instanceAttribute(uint32_t, uint32_t, uint32_t, uint32_t, size_t, size_t) {}
    static void uploadInstances(uint32_t, size_t, const void*) {}
    static void drawInstanced(uint32_t, uint32_t, uint32_t) {}
    static void bindTextureUnit(uint32_t, uint32_t) {}
};

/// Nanoseconds to build and queue one sprite instance (median of several passes over 10,000).
double instanceBuildNs(Texture* texture) {
    Graphics::BatchManager<SpriteVertex, NoGpu> batch(0, GL_TRIANGLE_STRIP, 4, 2048);
    std::vector<Transform> transforms(10000);
    for (size_t i = 0; i < transforms.size(); ++i) {
        transforms[i].position = glm::vec3(float(i % 100), float(i / 100), 0.0f);
        refreshModelMatrix(transforms[i]);
    }
    SpriteRenderer sprite;
    sprite.texture = texture;
    const glm::mat4 worldToNDC = cameraState().projection * cameraState().view;
    std::vector<double> passes;
    for (int pass = 0; pass < 15; ++pass) {
        const auto start = Clock::now();
        for (const Transform& transform : transforms)
            pushSprite(batch, sprite, transform, worldToNDC, 0.0f);
        batch.flush();
        passes.push_back(std::chrono::duration<double, std::nano>(Clock::now() - start).count() /
                         transforms.size());
    }
    return Bench::median(passes);
}

} // namespace

int main() {
    if (!std::getenv("DISPLAY")) {
        std::puts("bench_sprites needs an X display: run it under xvfb-run -a -s \"-screen 0 1920x1080x24\"");
        return 1;
    }
    // The renderer reads "../Assets".
    std::filesystem::current_path(std::filesystem::path(QEL_SOURCE_DIR) / "tests");
    Engine engine;
    std::printf("renderer: %s\n", reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
    // Wall time shows what a player would see on this machine as loaded now; the main thread's CPU
    // time does not count other processes, and holds the whole GL work with LP_NUM_THREADS=0.
    std::printf("%8s %8s %10s %14s %14s %8s %14s %14s %8s\n", "sprites", "drawn", "particles", "engine ms",
                "reference ms", "ratio", "engine cpu", "reference cpu", "ratio");
    // Sprite rows within the 3,000-entity limit (four lamps are entities too), then the pool.
    for (const auto& [count, particles] :
         {std::pair{0u, false}, {500u, false}, {1000u, false}, {2000u, false}, {2900u, false}, {0u, true}}) {
        const Swarm swarm(count);
        const EngineFrame whole = engineFrame(engine, swarm, particles);
        // The reference draws as many quads as the engine drew sprites and particles.
        const Swarm drawn(whole.sprites + whole.particles);
        Reference reference(drawn.positions.size());
        const FrameCost minimal = reference.frame(engine.window, engine.texture->id, drawn);
        const auto ratio = [](double engine, double least) { return least > 0 ? engine / least : 0.0; };
        std::printf("%8u %8zu %10zu %14.2f %14.2f %8.2f %14.2f %14.2f %8.2f\n", count, whole.sprites,
                    whole.particles, whole.cost.wall, minimal.wall, ratio(whole.cost.wall, minimal.wall),
                    whole.cost.cpu, minimal.cpu, ratio(whole.cost.cpu, minimal.cpu));
    }
    std::printf("instance build: %.1f ns per sprite\n", instanceBuildNs(engine.texture));
    return 0;
}
