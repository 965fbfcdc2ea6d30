#include "QelScripting/EntityScriptSetup.h"

#include "QelScripting/LuaScript.h"
#include "QelScripting/ScriptBindings.h"
#include "QelScripting/TriggerBindings.h"

namespace Qel {

void installEntityBindings(LuaScript& script, Entity entity) {
    script.setInteger("thisEntityID", static_cast<int64_t>(entity));
    registerScriptBindings(script.state());
    registerTriggerBindings(script.state());
}

} // namespace Qel
