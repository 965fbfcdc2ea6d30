#include "QelScripting/LuaArgs.h"

#include "ECS/EntityManager.h"

#include <cmath>
#include <limits>

namespace Qel::LuaArgs {

std::optional<lua_Integer> integerAt(lua_State* L, int index) {
    // lua_tointegerx range-checks floats itself: NaN, 1e20 and 2.5 all report "not a number".
    int isInteger = 0;
    const lua_Integer value = lua_tointegerx(L, index, &isInteger);
    if (!isInteger) return std::nullopt;
    return value;
}

std::optional<int32_t> int32At(lua_State* L, int index) {
    const std::optional<lua_Integer> value = integerAt(L, index);
    if (!value || *value < std::numeric_limits<int32_t>::min() ||
        *value > std::numeric_limits<int32_t>::max())
        return std::nullopt;
    return static_cast<int32_t>(*value);
}

std::optional<Entity> entityAt(lua_State* L, int index) {
    const std::optional<lua_Integer> value = integerAt(L, index);
    if (!value || *value < 0 || *value >= static_cast<lua_Integer>(MAX_ENTITIES)) return std::nullopt;
    const Entity entity = static_cast<Entity>(*value);
    EntityManager* entities = EntityManager::instance();
    if (!entities || !entities->Exists(entity)) return std::nullopt;
    return entity;
}

std::optional<float> numberAt(lua_State* L, int index) {
    int isNumber = 0;
    const lua_Number value = lua_tonumberx(L, index, &isNumber);
    // A double beyond float range has no float value: converting it would be undefined.
    if (!isNumber || !std::isfinite(value) || std::fabs(value) > std::numeric_limits<float>::max())
        return std::nullopt;
    return static_cast<float>(value);
}

std::optional<std::string_view> stringAt(lua_State* L, int index) {
    // Only real strings: lua_tolstring would turn a number on the stack into a string in place.
    if (lua_type(L, index) != LUA_TSTRING) return std::nullopt;
    size_t length = 0;
    const char* text = lua_tolstring(L, index, &length);
    return std::string_view(text, length);
}

bool truthAt(lua_State* L, int index) {
    return lua_toboolean(L, index) != 0;
}

} // namespace Qel::LuaArgs
