// CPU cost of the script system's frame: GOScriptSystem::Update in nanoseconds per scripted
// entity for 100, 1,000 and 2,900 entities, with an empty onUpdate and with a realistic one that
// reads the movement keys and sets a velocity; and the memory one entity's Lua state takes.
// Runs without a display.
#include "EcsManagers.h"
#include "ECS/Components/GOScripts.h"
#include "ECS/Components/RigidBody2D.h"
#include "ECS/Components/Transform.h"
#include "ECS/SceneEntities.h"
#include "ECS/System/Systems/GOScriptSystem.h"
#include "QelCore/Input.h"
#include "QelScripting/LuaScript.h"
#include "QelScripting/ScriptAssets.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

using namespace Qel;

namespace {

using Clock = std::chrono::steady_clock;
constexpr float kFrame = 1.0f / 60.0f;
constexpr int kFrames = 200;

const char* const kEmpty = "function onUpdate(dt) end";
const char* const kRealistic = "speed = 4.0\n"
                               "function onUpdate(dt)\n"
                               "  local dx, dy = 0, 0\n"
                               "  if keyPressed(68) then dx = dx + 1 end\n"
                               "  if keyPressed(65) then dx = dx - 1 end\n"
                               "  if keyPressed(87) then dy = dy + 1 end\n"
                               "  if keyPressed(83) then dy = dy - 1 end\n"
                               "  setVelocity(thisEntityID, dx * speed, dy * speed)\n"
                               "end";

struct Engine : Bench::EcsManagers {
    std::shared_ptr<GOScriptSystem> scripts;

    Engine() {
        TypeName<GOScriptSystem>::assign("GOScriptSystem");
        scripts = systems.RegisterSystem<GOScriptSystem>();
        systems.LoadAll();
        resetInputStates();
        assets.load<LuaScriptStringWrapper>("empty", LuaScriptStringWrapper{kEmpty});
        assets.load<LuaScriptStringWrapper>("realistic", LuaScriptStringWrapper{kRealistic});
    }

    void populate(const char* script, int count) {
        for (int i = 0; i < count; ++i) {
            const Entity entity = entities.CreateEntity();
            sceneEntities.insert(entity);
            components.AddComponent(entity, Transform{});
            components.AddComponent(entity, RigidBody2D{});
            GOScripts component;
            component.scripts[0] = hashName(script);
            component.flags = GOScripts::kCanBuild;
            components.AddComponent(entity, component);
            systems.NotifyEntityChanged(entity);
        }
    }
};

/// Median nanoseconds per entity of one Update over kFrames frames.
double updateNanosPerEntity(Engine& engine, int count) {
    std::vector<double> samples;
    for (int frame = 0; frame < kFrames; ++frame) {
        const Clock::time_point start = Clock::now();
        engine.scripts->Update(kFrame);
        samples.push_back(std::chrono::duration<double, std::nano>(Clock::now() - start).count() / count);
    }
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

} // namespace

int main() {
    Engine engine;
    std::printf("GOScriptSystem::Update, ns per scripted entity (median of %d frames)\n", kFrames);
    std::printf("%10s %12s %12s\n", "entities", "empty", "realistic");
    for (const int count : {100, 1000, 2900}) {
        double nanos[2] = {};
        for (int kind = 0; kind < 2; ++kind) {
            engine.populate(kind == 0 ? "empty" : "realistic", count);
            nanos[kind] = updateNanosPerEntity(engine, count);
            DestroyAllSceneEntities();
        }
        std::printf("%10d %12.0f %12.0f\n", count, nanos[0], nanos[1]);
    }

    for (const char* script : {"empty", "realistic"}) {
        engine.populate(script, 100);
        size_t bytes = 0;
        for (Entity entity : sceneEntities)
            bytes += engine.scripts->scriptOf(entity)->memoryBytes();
        std::printf("Lua state of the %s script: %zu bytes\n", script, bytes / sceneEntities.size());
        DestroyAllSceneEntities();
    }
    return 0;
}
