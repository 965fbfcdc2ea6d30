#include "ECS/Component/Components/ComponentReaders.h"

#include "QelCore/LogManager.h"
#include "QelScripting/ScriptAssets.h"
#include "data/JSONReadTrace.h"

namespace Qel {

template <> GOScripts readComponent<GOScripts>(const JSONArr::iter& object) {
    GOScripts component;
    size_t stored = 0;
    for (const JSONArr::iter& script : object.getArray("scripts")) {
        if (stored == GOScripts::kMaxScripts) {
            logf(LOG_CRITICAL, "Too many scripts in component! Will only read first %d scripts.",
                 static_cast<int>(GOScripts::kMaxScripts));
            break;
        }
        // An entry without a readable file takes no slot.
        std::string file;
        if (!script.get("file", file)) continue;
        JSONReadTrace::noteAssetReference(typeid(LuaScriptStringWrapper), "file", file);
        component.scripts[stored++] = hashName(file);
    }
    readFlag(object, "canBuild", component.flags, GOScripts::kCanBuild);
    readFlag(object, "allowDisabledTrigger", component.flags, GOScripts::kAllowDisabledTrigger);
    readFlag(object, "allowPausedUpdate", component.flags, GOScripts::kAllowPausedUpdate);
    return component;
}

} // namespace Qel
