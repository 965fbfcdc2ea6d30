#pragma once

// Checked reads of script arguments. Scripts are content, so any value may sit at any index:
// each read answers "no value" instead of converting something undefined (NaN or 1e20 to int)
// or raising a Lua error, and the script-facing function logs and returns neutral values.
#include "ECS/Entity.h"

#include <lua.hpp>

#include <cstdint>
#include <optional>
#include <string_view>

namespace Qel::LuaArgs {

/// Lua's integer conversion of the value at index: integers, floats with an integral value and
/// numeric strings; nullopt for anything else (fractions, NaN, values beyond 64 bits).
std::optional<lua_Integer> integerAt(lua_State* L, int index);

/// integerAt, when it also fits in 32 bits.
std::optional<int32_t> int32At(lua_State* L, int index);

/// integerAt as an entity id, when it names a living scene entity (0 <= id < MAX_ENTITIES and
/// alive in the EntityManager); nullopt otherwise, and always without an EntityManager.
std::optional<Entity> entityAt(lua_State* L, int index);

/// Lua's number conversion of the value at index (numbers and numeric strings) as a float, when it
/// is finite and within float range.
std::optional<float> numberAt(lua_State* L, int index);

/// The string at index with its length (embedded zeros kept); nullopt for every other type,
/// numbers included. The view lives as long as the value stays on the stack.
std::optional<std::string_view> stringAt(lua_State* L, int index);

/// Lua's truth of the value at index: anything but nil and false (an absent index is nil).
bool truthAt(lua_State* L, int index);

} // namespace Qel::LuaArgs
