#pragma once

#include "ECS/Entity.h"

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string_view>
#include <variant>

namespace Qel {

/// One argument of a call into an entity's script: integers reach Lua as integers, floats as floats.
using ScriptArg = std::variant<int64_t, float>;

enum class ScriptCallResult {
    Called,
    /// No script system is loaded, or the entity has no built script.
    NoScript,
    /// The entity's script defines no global function of that name.
    NoFunction,
};

/// Calls the global Lua function `function` of the entity's script with `args`, taking no results.
/// A Lua error inside the function is the script system's to log; the call still counts as made.
using ScriptCaller = ScriptCallResult (*)(Entity entity, std::string_view function,
                                          std::span<const ScriptArg> args);

/// Engine systems call into scripts through the caller the script system installs while it is
/// loaded (null removes it), so they never touch Lua themselves.
void setScriptCaller(ScriptCaller caller);

/// Calls through the installed caller; NoScript when none is installed.
ScriptCallResult callScript(Entity entity, std::string_view function, std::initializer_list<ScriptArg> args);

} // namespace Qel
