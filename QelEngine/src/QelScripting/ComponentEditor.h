#pragma once

// The component editors' shared machinery: an editor is a table of named actions over one
// component; a call names the action and passes its arguments after it. Field accessors for the
// common shapes (float, integer, flag, vec2, vec3, colour) keep the tables free of look-alike code.
#include "QelCore/LogManager.h"
#include "QelScripting/BindingChecks.h"
#include "QelScripting/LuaArgs.h"

#include <lua.hpp>

#include <algorithm>
#include <cstdint>
#include <span>
#include <string_view>

namespace Qel::Bindings {

/// What an action returns when its arguments do not convert: the editor logs it, nothing changes.
inline constexpr int kBadArguments = -1;

template <class T> struct EditorAction {
    std::string_view name;
    /// Runs on target with the action's arguments from index `first` on; returns the number of
    /// results pushed, or kBadArguments.
    int (*run)(lua_State* L, int first, T& target);
};

/// Runs the action named at index on target. Logs "[LUA] | <editor> unknown action" for a name
/// not in the table (or not a string) and "[LUA] | <editor> <action> invalid arguments".
template <class T>
int runAction(lua_State* L, int index, const char* editor, std::span<const EditorAction<T>> actions,
              T& target) {
    const std::optional<std::string_view> name = LuaArgs::stringAt(L, index);
    const auto action = std::find_if(actions.begin(), actions.end(), [&](const EditorAction<T>& entry) {
        return name && entry.name == *name;
    });
    if (action == actions.end()) {
        logf(LOG_CRITICAL, "[LUA] | %s unknown action", editor);
        return 0;
    }
    const int results = action->run(L, index + 1, target);
    if (results != kBadArguments) return results;
    logf(LOG_CRITICAL, "[LUA] | %s %.*s invalid arguments", editor, static_cast<int>(action->name.size()),
         action->name.data());
    return 0;
}

/// The entry of an entity's editor: (entity id, action, ...).
template <class T>
int editComponent(lua_State* L, const char* editor, std::span<const EditorAction<T>> actions) {
    if (lua_gettop(L) < 2) {
        logf(LOG_CRITICAL, "[LUA] | %s expects at least 2 argument", editor);
        return 0;
    }
    T* target = targetComponent<T>(L, 1, "");
    return target ? runAction(L, 2, editor, actions, *target) : 0;
}

template <class T, float T::*Field> int setFloat(lua_State* L, int first, T& target) {
    const std::optional<float> value = LuaArgs::numberAt(L, first);
    if (!value) return kBadArguments;
    target.*Field = *value;
    return 0;
}

template <class T, float T::*Field> int getFloat(lua_State* L, int, T& target) {
    lua_pushnumber(L, target.*Field);
    return 1;
}

template <class T, int32_t T::*Field> int setInt(lua_State* L, int first, T& target) {
    const std::optional<int32_t> value = LuaArgs::int32At(L, first);
    if (!value) return kBadArguments;
    target.*Field = *value;
    return 0;
}

template <class T, int32_t T::*Field> int getInt(lua_State* L, int, T& target) {
    lua_pushinteger(L, target.*Field);
    return 1;
}

template <class T, bool T::*Field> int getFlag(lua_State* L, int, T& target) {
    lua_pushboolean(L, target.*Field);
    return 1;
}

/// Every component of a vector field, all required.
template <class T, class V, V T::*Field> int setVector(lua_State* L, int first, T& target) {
    const std::optional<V> value = numbersAt<V::length()>(L, first);
    if (!value) return kBadArguments;
    target.*Field = *value;
    return 0;
}

template <class T, class V, V T::*Field> int getVector(lua_State* L, int, T& target) {
    for (int i = 0; i < V::length(); ++i)
        lua_pushnumber(L, (target.*Field)[i]);
    return V::length();
}

/// r, g, b and, when given as a number, a.
template <class T, glm::vec4 T::*Field> int setColor(lua_State* L, int first, T& target) {
    const std::optional<glm::vec3> rgb = numbersAt<3>(L, first);
    if (!rgb) return kBadArguments;
    glm::vec4& color = target.*Field;
    color = glm::vec4(*rgb, LuaArgs::numberAt(L, first + 3).value_or(color.a));
    return 0;
}

} // namespace Qel::Bindings
