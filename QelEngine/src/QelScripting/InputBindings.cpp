#include "QelCore/Input.h"
#include "QelCore/LogManager.h"
#include "QelScripting/Bindings.h"
#include "QelScripting/LuaArgs.h"

namespace Qel {

namespace {

/// One key's state when a code is given, any key's without one; false for a code that is not
/// an integer or is not in the input table.
int keyTemplate(lua_State* L, bool (*key)(int), bool (*anyKey)()) {
    bool result = false;
    if (lua_gettop(L) == 0) {
        result = anyKey();
    } else if (const std::optional<int32_t> code = LuaArgs::int32At(L, 1)) {
        result = key(*code);
    } else {
        log(LOG_CRITICAL, "[LUA] | GOScript_keyTemplate INVALID KEY ARGUMENT");
    }
    lua_pushboolean(L, result);
    return 1;
}

} // namespace

int GOScript_keyTriggered(lua_State* L) {
    return keyTemplate(L, isKeyTriggered, isAnyKeyTriggered);
}

int GOScript_keyPressed(lua_State* L) {
    return keyTemplate(L, isKeyPressed, isAnyKeyPressed);
}

int GOScript_keyReleased(lua_State* L) {
    return keyTemplate(L, isKeyReleased, isAnyKeyReleased);
}

} // namespace Qel
