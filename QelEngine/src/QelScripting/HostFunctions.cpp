#include "QelScripting/HostFunctions.h"

#include "QelCore/LogManager.h"
#include "QelScripting/LuaScript.h"
#include "data/NameHash.h"
#include "messaging/MessageManager.h"

#include <lua.hpp>

#include <cfloat>
#include <climits>
#include <limits>
#include <memory>
#include <optional>
#include <string_view>

namespace Qel {

namespace {

template <uint8_t level> int dlog(lua_State* L) {
    const int type = lua_type(L, 1);
    if (lua_gettop(L) != 1 || (type != LUA_TSTRING && type != LUA_TNUMBER)) {
        log(LOG_CRITICAL, "[LUA] | dlog bad argument!");
    } else {
        size_t length = 0;
        const char* text = lua_tolstring(L, 1, &length);
        log(level, std::string(text, length));
    }
    lua_settop(L, 0);
    return 0;
}

std::string_view stringAt(lua_State* L, int index) {
    size_t length = 0;
    const char* text = lua_tolstring(L, index, &length);
    return {text, length};
}

/// A receiver or message id: the name hash of a string, or an integral number as it is.
std::optional<uint64_t> idAt(lua_State* L, int index) {
    if (lua_type(L, index) == LUA_TSTRING) return hashName(stringAt(L, index));
    int integral = 0;
    const lua_Integer value = lua_tointegerx(L, index, &integral);
    if (lua_type(L, index) != LUA_TNUMBER || !integral) return std::nullopt;
    return static_cast<uint64_t>(value);
}

/// Payload codes; the signature is code(3) * 8 + code(4), or code(3) alone for one value.
enum Code { kOther = 0, kString = 1, kInteger = 2, kFloat = 4 };

Code codeAt(lua_State* L, int index) {
    switch (lua_type(L, index)) {
    case LUA_TSTRING: return kString;
    case LUA_TNUMBER: return lua_isinteger(L, index) ? kInteger : kFloat;
    default: return kOther;
    }
}

/// Handlers read exactly these C++ types, so each payload is converted to the type its code
/// names: a string to its name hash, an integer to int, a float to float.
uint64_t hashAt(lua_State* L, int index) {
    return hashName(stringAt(L, index));
}
float floatAt(lua_State* L, int index) {
    const lua_Number value = lua_tonumber(L, index);
    // A double beyond float's range has no float value (the cast is undefined); it saturates.
    if (value > FLT_MAX) return std::numeric_limits<float>::infinity();
    if (value < -FLT_MAX) return -std::numeric_limits<float>::infinity();
    return static_cast<float>(value);
}
bool intFits(lua_State* L, int index) {
    const lua_Integer value = lua_tointeger(L, index);
    return value >= INT_MIN && value <= INT_MAX;
}
int intAt(lua_State* L, int index) {
    return static_cast<int>(lua_tointeger(L, index));
}

template <class... Ts> std::unique_ptr<Message> pack(uint64_t id, Ts... values) {
    return std::make_unique<MessageArgs<Ts...>>(id, values...);
}

/// The message for the payload at indices 3 and 4; null when an integer does not fit an int.
std::unique_ptr<Message> buildMessage(lua_State* L, uint64_t id) {
    const int payloads = lua_gettop(L) - 2;
    const Code first = payloads >= 1 ? codeAt(L, 3) : kOther;
    const Code second = payloads >= 2 ? codeAt(L, 4) : kOther;
    for (int index = 3; index <= 4 && index - 2 <= payloads; ++index) {
        if (codeAt(L, index) == kInteger && !intFits(L, index)) {
            log(LOG_CRITICAL, "[LUA] | QelMsg integer payload does not fit an int!");
            return nullptr;
        }
    }
    // With two payload values both must be usable; a single one stands alone.
    const int signature = payloads >= 2 ? (first && second ? first * 8 + second : -1) : first;
    switch (signature) {
    case 0: return std::make_unique<Message>(id);
    case 1: return pack(id, hashAt(L, 3));
    case 2: return pack(id, intAt(L, 3));
    case 4: return pack(id, floatAt(L, 3));
    case 9: return pack(id, hashAt(L, 3), hashAt(L, 4));
    case 10: return pack(id, hashAt(L, 3), intAt(L, 4));
    case 12: return pack(id, hashAt(L, 3), floatAt(L, 4));
    case 18: return pack(id, intAt(L, 3), intAt(L, 4));
    case 20: return pack(id, intAt(L, 3), floatAt(L, 4));
    case 34: return pack(id, floatAt(L, 3), intAt(L, 4));
    case 36: return pack(id, floatAt(L, 3), floatAt(L, 4));
    default:
        log(LOG_MED, "[LUA] | unsupported message signature!");
        return std::make_unique<Message>(id);
    }
}

template <bool immediate> int message(lua_State* L) {
    // Validation states run on the loading worker, where no engine handler may run.
    if (LuaScript::of(L)->mode() == LuaScript::Mode::Validation) {
        lua_settop(L, 0);
        return 0;
    }
    const std::optional<uint64_t> receiver = lua_gettop(L) >= 2 ? idAt(L, 1) : std::nullopt;
    const std::optional<uint64_t> name = lua_gettop(L) >= 2 ? idAt(L, 2) : std::nullopt;
    MessageManager* messages = MessageManager::instance();
    if (!receiver || !name) {
        log(LOG_CRITICAL, "[LUA] | QelMsg bad arguments!");
    } else if (std::unique_ptr<Message> built = buildMessage(L, *name); built && messages) {
        if (immediate) {
            messages->sendImmediate(*built, *receiver);
        } else {
            messages->send(std::move(built), *receiver);
        }
    }
    lua_settop(L, 0);
    return 0;
}

} // namespace

void registerHostFunctions(lua_State* L) {
    static constexpr luaL_Reg kHostFunctions[] = {
        {"dlogLow", &dlog<LOG_LOW>},         {"dlogMed", &dlog<LOG_MED>},
        {"dlogHigh", &dlog<LOG_HIGH>},       {"dlogCritical", &dlog<LOG_CRITICAL>},
        {"QelMsgSend", &message<false>},     {"QelMsgImmediate", &message<true>},
    };
    for (const luaL_Reg& entry : kHostFunctions) {
        lua_pushcfunction(L, entry.func);
        lua_setglobal(L, entry.name);
    }
}

} // namespace Qel
