#include "QelScripting/LuaScript.h"

#include "QelCore/LogManager.h"
#include "QelCore/StrongAssert.h"
#include "QelScripting/HostFunctions.h"

#include <lua.hpp>

namespace Qel {

namespace {

/// The count hook runs every this many instructions; cheap enough to stay on for every call.
constexpr int kHookStep = 1000;

/// Pushes the global `name` without running metamethods, so reading a global never raises.
void pushRawGlobal(lua_State* L, const char* name) {
    lua_rawgeti(L, LUA_REGISTRYINDEX, LUA_RIDX_GLOBALS);
    lua_pushstring(L, name);
    lua_rawget(L, -2);
    lua_remove(L, -2);
}

} // namespace

bool luaErrorCheck(lua_State* state, int status) {
    if (status == LUA_OK) return true;
    const int type = lua_type(state, -1);
    const char* text = type == LUA_TSTRING || type == LUA_TNUMBER ? lua_tostring(state, -1) : nullptr;
    logf(LOG_HIGH, "[LUA ERROR] : %s", text ? text : "");
    lua_pop(state, 1);
    return false;
}

LuaScript::LuaScript(Mode mode) : stateMode(mode) {
    L = luaL_newstate();
    if (!L) QEL_STRONG_ASSERT("new LUA state was nullptr");
    // Host functions and the hook find their LuaScript here; coroutines inherit the pointer.
    *static_cast<LuaScript**>(lua_getextraspace(L)) = this;
    luaL_openlibs(L);
    registerHostFunctions(L);
}

LuaScript::~LuaScript() {
    lua_close(L);
}

LuaScript* LuaScript::of(lua_State* state) {
    return *static_cast<LuaScript**>(lua_getextraspace(state));
}

bool LuaScript::load(std::string_view text) {
    if (loaded()) return false;
    // Text only: precompiled chunks can corrupt the interpreter.
    if (!luaErrorCheck(L, luaL_loadbufferx(L, text.data(), text.size(), "LuaScript", "t"))) return false;
    if (!protectedCall(0, 0, "the top level")) return false;
    flags |= kLoaded;
    return true;
}

lua_State* LuaScript::fnCallStart(const char* name) {
    if (flags & (kCallStarted | kHasResults)) QEL_STRONG_ASSERT("fnCallState invalid! Did a previous call end abruptly?");
    pushRawGlobal(L, name);
    if (!lua_isfunction(L, -1)) {
        flags |= kCallStarted | kHasResults;
        return nullptr;
    }
    flags = static_cast<uint8_t>((flags | kCallStarted) & ~kHasResults);
    openCall = name;
    return L;
}

bool LuaScript::fnCallSend(int nargs, int nresults) {
    if ((flags & (kCallStarted | kHasResults)) != kCallStarted)
        QEL_STRONG_ASSERT("fnCallState invalid! Did a previous call end abruptly?");
    if (!protectedCall(nargs, nresults < 0 ? LUA_MULTRET : nresults, openCall)) {
        flags |= kCallStarted | kHasResults;
        return false;
    }
    flags = static_cast<uint8_t>(flags & ~kCallStarted);
    flags = static_cast<uint8_t>(nresults != 0 ? flags | kHasResults : flags & ~kHasResults);
    return true;
}

void LuaScript::fnCallChain() {
    flags = static_cast<uint8_t>((flags | kCallStarted) & ~kHasResults);
    openCall = "the function onCollide returned";
}

void LuaScript::fnCallEnd() {
    lua_settop(L, 0);
    flags = static_cast<uint8_t>(flags & ~(kCallStarted | kHasResults));
}

bool LuaScript::protectedCall(int nargs, int nresults, const char* name) {
    // A call nested in this one (a coroutine resumed from it) shares the budget of the outer call.
    const char* outerCallback = callback;
    if (running++ == 0) {
        instructionsLeft = kInstructionBudget;
        callback = name;
        lua_sethook(L, &LuaScript::countInstructions, LUA_MASKCOUNT, kHookStep);
    }
    const int status = lua_pcall(L, nargs, nresults, 0);
    if (--running == 0) callback = outerCallback;
    return luaErrorCheck(L, status);
}

void LuaScript::countInstructions(lua_State* state, lua_Debug*) {
    LuaScript* script = of(state);
    // The thread's own step: a coroutine may still count every instruction after an earlier stop.
    script->instructionsLeft -= lua_gethookcount(state);
    if (script->instructionsLeft > 0) return;
    if (script->instructionsLeft > -kHookStep) {
        logf(LOG_HIGH, "[LUA] | script \"%s\" stopped in %s: it ran past %lld instructions",
             script->scriptName.c_str(), script->callback ? script->callback : "a call",
             static_cast<long long>(kInstructionBudget));
    }
    // From now on every instruction raises again, so a script that catches the error with pcall
    // cannot keep looping.
    lua_sethook(state, &LuaScript::countInstructions, LUA_MASKCOUNT, 1);
    lua_pushliteral(state, "instruction budget exhausted");
    lua_error(state);
}

bool LuaScript::hasFunction(const char* name) {
    pushRawGlobal(L, name);
    const bool function = lua_isfunction(L, -1);
    lua_pop(L, 1);
    return function;
}

void LuaScript::setInteger(const char* name, int64_t value) {
    lua_rawgeti(L, LUA_REGISTRYINDEX, LUA_RIDX_GLOBALS);
    lua_pushstring(L, name);
    lua_pushinteger(L, static_cast<lua_Integer>(value));
    lua_rawset(L, -3);
    lua_pop(L, 1);
}

std::optional<std::string> LuaScript::text(const char* name) {
    pushRawGlobal(L, name);
    std::optional<std::string> result;
    const int type = lua_type(L, -1);
    if (type == LUA_TSTRING || type == LUA_TNUMBER) {
        size_t length = 0;
        const char* chars = lua_tolstring(L, -1, &length);
        result.emplace(chars, length);
    }
    lua_pop(L, 1);
    return result;
}

bool LuaScript::call(const char* name) {
    const bool ok = fnCallStart(name) && fnCallSend(0, 0);
    fnCallEnd();
    return ok;
}

bool LuaScript::call(const char* name, float value) {
    lua_State* state = fnCallStart(name);
    if (state) lua_pushnumber(state, static_cast<lua_Number>(value));
    const bool ok = state && fnCallSend(1, 0);
    fnCallEnd();
    return ok;
}

void LuaScript::collide(std::string_view otherTag, int kind, uint64_t other) {
    if (lua_State* state = fnCallStart("onCollide")) {
        lua_pushlstring(state, otherTag.data(), otherTag.size());
        if (fnCallSend(1, 1) && lua_isfunction(state, -1)) {
            fnCallChain();
            lua_pushinteger(state, kind);
            lua_pushinteger(state, static_cast<lua_Integer>(other));
            fnCallSend(2, 0);
        }
    }
    fnCallEnd();
}

size_t LuaScript::memoryBytes() const {
    return static_cast<size_t>(lua_gc(L, LUA_GCCOUNT, 0)) * 1024 + static_cast<size_t>(lua_gc(L, LUA_GCCOUNTB, 0));
}

} // namespace Qel
