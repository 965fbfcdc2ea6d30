#include "QelScripting/EntityScriptSetup.h"

#include "QelScripting/DialogueBindings.h"
#include "QelScripting/LuaScript.h"
#include "QelScripting/ScriptBindings.h"
#include "QelScripting/TriggerBindings.h"

#include <lua.hpp>

#include <array>

namespace Qel {

void installEntityBindings(LuaScript& script, Entity entity) {
    script.setInteger("thisEntityID", static_cast<int64_t>(entity));
    registerScriptBindings(script.state());
    registerTriggerBindings(script.state());
}

std::set<std::string> entityScriptGlobals() {
    LuaScript script(LuaScript::Mode::Validation);
    installEntityBindings(script, MAX_ENTITIES);
    installDialogueBindings(script, std::array<Entity, 4>{});
    lua_State* L = script.state();
    std::set<std::string> names;
    lua_rawgeti(L, LUA_REGISTRYINDEX, LUA_RIDX_GLOBALS);
    lua_pushnil(L);
    while (lua_next(L, -2)) {
        if (lua_type(L, -2) == LUA_TSTRING) names.insert(lua_tostring(L, -2));
        lua_pop(L, 1);
    }
    lua_pop(L, 1);
    return names;
}

} // namespace Qel
