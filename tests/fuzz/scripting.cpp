// Calls the script-facing message functions and triggers with argument packs made of arbitrary
// bytes, from an entity's state, against a world whose scripts answer triggers by triggering
// again (themselves, each other, by tag) and whose engine receivers read typed packs.
#include "ECS/Component/RegisterComponents.h"
#include "ECS/Components/GOScripts.h"
#include "ECS/System/Systems/GOScriptSystem.h"
#include "ECS/System/Systems/ParticleSystem.h"
#include "QelScripting/LuaScript.h"
#include "QelScripting/ScriptAssets.h"
#include "messaging/MessageManager.h"

#include "FuzzSupport.h"

#include <lua.hpp>

#include <cstring>
#include <iostream>

namespace {

constexpr const char* kFunctions[] = {"QelMsgSend", "QelMsgImmediate", "triggerByEntityID",
                                      "triggerByScriptTag"};
constexpr const char* kNames[] = {
    "GOScriptSystem", "handleCollision", "ParticleSystem", "PS_setActive", "PS_setDuration", "t", "u", ""};
const char* const kScript =
    "scriptTag = 't'\n"
    "function onTrigger(a, b, c) triggerByEntityID(a or 0, b, c) triggerByScriptTag(b or 'u', c)\n"
    "  QelMsgImmediate(b or 0, c or 0, a, b) end\n"
    "function onUpdate(dt) triggerByEntityID(thisEntityID) end";

struct World : fuzz::EcsWorld {
    World() {
        // Misused bindings log at CRITICAL, which the quiet log still echoes and flushes to standard
        // error when its buffer fills. Both streams go quiet; libFuzzer and the sanitizers report
        // through their own writes.
        std::cout.setstate(std::ios::badbit);
        std::cerr.setstate(std::ios::badbit);
        assets.load<Qel::LuaScriptStringWrapper>("fuzz", Qel::LuaScriptStringWrapper{kScript});
        Qel::TypeName<Qel::GOScriptSystem>::assign("GOScriptSystem");
        Qel::TypeName<Qel::ParticleSystem>::assign("ParticleSystem");
        systems.RegisterSystem<Qel::GOScriptSystem>();
        systems.RegisterSystem<Qel::ParticleSystem>();
        systems.LoadAll();
        for (Qel::Entity& entity : scripted) {
            entity = entities.CreateEntity();
            Qel::GOScripts component;
            component.scripts[0] = Qel::hashName("fuzz");
            component.flags = Qel::GOScripts::kCanBuild;
            components.AddComponent(entity, component);
            systems.NotifyEntityChanged(entity);
        }
    }
    Qel::MessageManager messages;
    Qel::Entity scripted[3] = {};
};

/// Takes bytes off the front of the input; zeros once it runs out.
struct Input {
    const uint8_t* data;
    size_t size;
    uint8_t byte() { return size ? (--size, *data++) : 0; }
    template <class T> T value() {
        T result{};
        const size_t count = size < sizeof(T) ? size : sizeof(T);
        std::memcpy(&result, data, count);
        data += count;
        size -= count;
        return result;
    }
};

void pushValue(lua_State* L, Input& in) {
    switch (in.byte() % 8) {
    case 0:
        lua_pushnil(L);
        break;
    case 1:
        lua_pushboolean(L, in.byte() & 1);
        break;
    case 2:
        lua_pushinteger(L, in.value<int64_t>());
        break;
    case 3:
        lua_pushinteger(L, in.byte() % 5);
        break;
    case 4:
        lua_pushnumber(L, in.value<double>());
        break;
    case 5:
        lua_pushstring(L, kNames[in.byte() % std::size(kNames)]);
        break;
    case 6: {
        const size_t length = in.byte() % 16;
        std::string text;
        for (size_t i = 0; i < length; ++i)
            text += static_cast<char>(in.byte());
        lua_pushlstring(L, text.data(), text.size());
        break;
    }
    default:
        lua_newtable(L);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static World* world = new World();
    Input in{data, size};
    // Called the way the engine calls scripts, through the call protocol; none of these raises.
    Qel::LuaScript& caller = *Qel::GOScriptSystem::active()->scriptOf(world->scripted[0]);
    while (in.size) {
        lua_State* L = caller.fnCallStart(kFunctions[in.byte() % std::size(kFunctions)]);
        const int count = in.byte() % 6;
        for (int i = 0; i < count; ++i)
            pushValue(L, in);
        fuzz::require(caller.fnCallSend(count, 0));
        caller.fnCallEnd();
    }
    world->systems.UpdateAll(0.016f);
    world->messages.dispatchAll();
    for (Qel::Entity entity : world->scripted)
        fuzz::require(!Qel::GOScriptSystem::active()->scriptOf(entity)->busy());
    return 0;
}
