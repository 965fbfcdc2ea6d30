#pragma once

#include "ECS/Entity.h"

#include <set>
#include <string>

namespace Qel {

class LuaScript;

/// Makes a loaded state an entity's script: the global thisEntityID and every script binding.
void installEntityBindings(LuaScript& script, Entity entity);

/// The names of the globals an entity's script finds before its own text runs: the standard
/// libraries, the host functions, thisEntityID and every script binding, and what the dialogue
/// adds to its speech text's script.
std::set<std::string> entityScriptGlobals();

} // namespace Qel
