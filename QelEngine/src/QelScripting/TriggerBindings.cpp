#include "QelScripting/TriggerBindings.h"

#include "ECS/ComponentManager.h"
#include "ECS/Components/GOScripts.h"
#include "ECS/EntityManager.h"
#include "ECS/System/Systems/GOScriptSystem.h"
#include "QelCore/LogManager.h"
#include "QelScripting/LuaArgs.h"
#include "QelScripting/LuaScript.h"
#include "data/NameHash.h"

#include <lua.hpp>

#include <initializer_list>
#include <memory>
#include <string>

namespace Qel {

namespace {

/// Triggers running right now, one inside the other.
int triggerDepth = 0;

unsigned long long idText(Entity entity) {
    return static_cast<unsigned long long>(entity);
}

/// Whether a disabled target may still be triggered. The id comes from script data, so a
/// disabled entity without scripts is an error in the content, not in the engine.
bool disabledTargetAccepts(Entity target, const char* binding) {
    ComponentManager* components = ComponentManager::instance();
    if (!components || !components->HasComponent<GOScripts>(target)) {
        logf(LOG_CRITICAL, "[LUA] | %s target %llu is disabled and has no scripts", binding, idText(target));
        return false;
    }
    return (components->GetComponent<GOScripts>(target).flags & GOScripts::kAllowDisabledTrigger) != 0;
}

/// Copies the caller's arguments 2..top onto the target's stack.
void copyArguments(lua_State* from, lua_State* to, const char* binding) {
    for (int index = 2; index <= lua_gettop(from); ++index) {
        switch (lua_type(from, index)) {
        case LUA_TNIL: lua_pushnil(to); break;
        case LUA_TBOOLEAN: lua_pushboolean(to, lua_toboolean(from, index)); break;
        case LUA_TNUMBER: lua_pushnumber(to, lua_tonumber(from, index)); break;
        case LUA_TSTRING: {
            size_t length = 0;
            const char* text = lua_tolstring(from, index, &length);
            lua_pushlstring(to, text, length);
            break;
        }
        default:
            logf(LOG_CRITICAL, "[LUA] | %s unsupported arg transfer type, will push nil instead!", binding);
            lua_pushnil(to);
        }
    }
}

/// Calls the target's onTrigger with the caller's arguments after the first; true when called.
bool trigger(lua_State* caller, Entity target, const char* binding) {
    GOScriptSystem* system = GOScriptSystem::active();
    EntityManager* entities = EntityManager::instance();
    if (!system || !entities) {
        logf(LOG_CRITICAL, "[LUA] | %s needs a loaded GOScriptSystem", binding);
        return false;
    }
    if (entities->IsDisabled(target) && !disabledTargetAccepts(target, binding)) return false;
    const std::shared_ptr<LuaScript> script = system->scriptOf(target);
    if (!script) return false;
    // The caller's own state (or one of its coroutines) is running even when no call was opened on it.
    if (script->busy() || LuaScript::of(caller) == script.get()) {
        logf(LOG_CRITICAL, "[LUA] | %s refused: the script of entity %llu is running", binding, idText(target));
        return false;
    }
    if (triggerDepth >= kMaxTriggerDepth) {
        logf(LOG_CRITICAL, "[LUA] | %s refused: triggers nested deeper than %d", binding, kMaxTriggerDepth);
        return false;
    }
    lua_State* state = script->fnCallStart("onTrigger");
    const int count = lua_gettop(caller) - 1;
    if (!state || !lua_checkstack(state, count)) {
        if (state) logf(LOG_CRITICAL, "[LUA] | %s could not pass %d arguments", binding, count);
        script->fnCallEnd();
        return false;
    }
    copyArguments(caller, state, binding);
    ++triggerDepth;
    script->fnCallSend(count, 0);
    --triggerDepth;
    script->fnCallEnd();
    return true;
}

int GOScript_triggerByEntityID(lua_State* L) {
    constexpr const char* kBinding = "GOScript_triggerByEntityID";
    bool called = false;
    if (lua_gettop(L) < 1) {
        log(LOG_CRITICAL, "[LUA] | GOScript_triggerByEntityID expects at least 1 argument");
    } else if (const std::optional<Entity> target = LuaArgs::entityAt(L, 1)) {
        called = trigger(L, *target, kBinding);
    } else {
        log(LOG_CRITICAL, "[LUA] | GOScript_triggerByEntityID first argument must be a living entity id");
    }
    lua_pushboolean(L, called);
    return 1;
}

int GOScript_triggerByScriptTag(lua_State* L) {
    constexpr const char* kBinding = "GOScript_triggerByScriptTag";
    const int type = lua_type(L, 1);
    if (lua_gettop(L) < 1) {
        log(LOG_CRITICAL, "[LUA] | GOScript_triggerByScriptTag expects at least 1 argument");
        return 0;
    }
    if (type != LUA_TSTRING && type != LUA_TNUMBER) {
        log(LOG_CRITICAL, "[LUA] | GOScript_triggerByScriptTag first argument must be a scriptTag");
        return 0;
    }
    // The text of a copy: converting the argument itself would change what the targets get.
    lua_pushvalue(L, 1);
    size_t length = 0;
    const char* tag = lua_tolstring(L, -1, &length);
    const uint64_t tagHash = hashName({tag, length});
    lua_pop(L, 1);
    if (GOScriptSystem* system = GOScriptSystem::active()) {
        // A copy: a target may build or drop scripts while it runs.
        for (Entity target : system->tagged(tagHash))
            trigger(L, target, kBinding);
    } else {
        logf(LOG_CRITICAL, "[LUA] | %s needs a loaded GOScriptSystem", kBinding);
    }
    return 0;
}

} // namespace

void registerTriggerBindings(lua_State* L) {
    // Raw writes: the script's top level may have given its globals a metatable.
    lua_rawgeti(L, LUA_REGISTRYINDEX, LUA_RIDX_GLOBALS);
    for (const luaL_Reg& binding : {luaL_Reg{"triggerByEntityID", &GOScript_triggerByEntityID},
                                    luaL_Reg{"triggerByScriptTag", &GOScript_triggerByScriptTag}}) {
        lua_pushstring(L, binding.name);
        lua_pushcfunction(L, binding.func);
        lua_rawset(L, -3);
    }
    lua_pop(L, 1);
}

} // namespace Qel
