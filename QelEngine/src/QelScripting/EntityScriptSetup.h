#pragma once

#include "ECS/Entity.h"

namespace Qel {

class LuaScript;

/// Makes a loaded state an entity's script: the global thisEntityID and every script binding.
void installEntityBindings(LuaScript& script, Entity entity);

} // namespace Qel
