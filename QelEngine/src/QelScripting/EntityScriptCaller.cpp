#include "QelScripting/EntityScriptCaller.h"

#include "ECS/System/Systems/GOScriptSystem.h"
#include "QelScripting/LuaScript.h"

#include <lua.hpp>

#include <memory>
#include <string>
#include <variant>

namespace Qel {

ScriptCallResult callEntityScript(Entity entity, std::string_view function, std::span<const ScriptArg> args) {
    GOScriptSystem* system = GOScriptSystem::active();
    // Held for the call: the script may drop its own state (a restart, its entity destroyed).
    const std::shared_ptr<LuaScript> script = system ? system->scriptOf(entity) : nullptr;
    // A script that is running now (an enemy hit from inside its own call, say) is not entered again.
    if (!script || script->busy()) return ScriptCallResult::NoScript;
    lua_State* L = script->fnCallStart(std::string(function).c_str());
    if (!L) {
        script->fnCallEnd();
        return ScriptCallResult::NoFunction;
    }
    for (const ScriptArg& arg : args) {
        if (const int64_t* integer = std::get_if<int64_t>(&arg))
            lua_pushinteger(L, *integer);
        else
            lua_pushnumber(L, std::get<float>(arg));
    }
    script->fnCallSend(static_cast<int>(args.size()), 0);
    script->fnCallEnd();
    return ScriptCallResult::Called;
}

} // namespace Qel
