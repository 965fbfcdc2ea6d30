#pragma once

// The engine functions an entity's script sees as globals: input, entities and scenes, bodies,
// animator conditions and the component editors. Each one reads its arguments through LuaArgs,
// never raises a Lua error, and answers misuse with a "[LUA] | " line at CRITICAL and neutral
// return values, so a script keeps running after a bad call.
struct lua_State;

namespace Qel {

/// Sets every binding as a global function of L (raw writes: no metamethod runs). The two trigger
/// functions belong to the script system, which sets them itself.
void registerScriptBindings(lua_State* L);

} // namespace Qel
