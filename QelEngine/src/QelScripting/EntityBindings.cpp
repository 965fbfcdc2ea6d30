#include "QelScripting/EntityBindings.h"

#include "QelScripting/LuaScript.h"
#include "QelScripting/TriggerBindings.h"

namespace Qel {

void installEntityBindings(LuaScript& script, Entity entity) {
    script.setInteger("thisEntityID", static_cast<int64_t>(entity));
    registerTriggerBindings(script.state());
}

} // namespace Qel
