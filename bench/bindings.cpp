// Cost of one script binding call made from Lua: a loop in a Lua chunk calls the binding on an
// entity with a Transform, a body and a sprite. Prints nanoseconds per call, the loop's own cost
// (the same loop calling nothing) taken off. Times are the thread's CPU time, so other programs
// on a busy machine inflate them less than wall time would.
#include "ECS/Component/RegisterComponents.h"
#include "ECS/ComponentManager.h"
#include "ECS/EntityManager.h"
#include "QelScripting/ScriptBindings.h"

#include <lua.hpp>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

namespace {

constexpr int kCalls = 1000000;
constexpr int kRuns = 9;

double threadNanoseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e9 + static_cast<double>(now.tv_nsec);
}

/// Median nanoseconds per iteration of `body` in a loop of kCalls; -1 after a Lua error, whose
/// message is left on the stack.
double nsPerIteration(lua_State* L, const std::string& body) {
    const std::string chunk = "local E, n = E, ... for i = 1, n do " + body + " end";
    std::vector<double> runs;
    for (int run = 0; run <= kRuns; ++run) {
        if (luaL_loadstring(L, chunk.c_str()) != LUA_OK) return -1.0;
        lua_pushinteger(L, kCalls);
        const double start = threadNanoseconds();
        if (lua_pcall(L, 1, 0, 0) != LUA_OK) return -1.0;
        // Run 0 warms the caches up and is not counted.
        if (run > 0) runs.push_back((threadNanoseconds() - start) / kCalls);
    }
    std::sort(runs.begin(), runs.end());
    return runs[runs.size() / 2];
}

} // namespace

int main() {
    using namespace Qel;
    EntityManager entities;
    ComponentManager components;
    assignComponentTypeNames();
    forEachComponentType([&]<class T>() { components.RegisterComponent<T>(); });
    const Entity entity = entities.CreateEntity();
    components.AddComponent(entity, Transform{});
    components.AddComponent(entity, RigidBody2D{});
    components.AddComponent(entity, SpriteRenderer{});

    lua_State* L = luaL_newstate();
    registerScriptBindings(L);
    lua_pushinteger(L, static_cast<lua_Integer>(entity));
    lua_setglobal(L, "E");

    const double loop = nsPerIteration(L, "local x = i");
    std::printf(
        "script bindings: one call from a Lua loop of %d, loop cost %.1f ns taken off (median of %d runs)\n",
        kCalls, loop, kRuns);
    const struct {
        const char* name;
        const char* body;
    } calls[] = {
        {"getPosition(E)", "local x, y = getPosition(E)"},
        {"setVelocity(E, vx, vy)", "setVelocity(E, i, 2.5)"},
        {"editSpriteRenderer(E, 'setColor', r, g, b, a)",
         "editSpriteRenderer(E, 'setColor', 0.5, 0.25, 1, 1)"},
    };
    int status = 0;
    for (const auto& call : calls) {
        const double ns = nsPerIteration(L, call.body);
        if (ns < 0.0) {
            std::printf("  %-46s failed: %s\n", call.name, lua_tostring(L, -1));
            status = 1;
            continue;
        }
        std::printf("  %-46s %6.1f ns/call\n", call.name, ns - loop);
    }
    lua_close(L);
    return status;
}
