#pragma once

#include "ECS/System/Systems/ScriptCall.h"

namespace Qel {

/// The ScriptCaller the script system installs while it is loaded: calls the global `function`
/// of the entity's built script with the arguments (integers as Lua integers, floats as floats).
/// NoScript when no system is loaded, the entity has no script, or its script is running now.
ScriptCallResult callEntityScript(Entity entity, std::string_view function, std::span<const ScriptArg> args);

} // namespace Qel
