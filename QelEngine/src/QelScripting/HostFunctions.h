#pragma once

struct lua_State;

namespace Qel {

/// Sets the six host functions every state gets as globals: dlogLow, dlogMed, dlogHigh,
/// dlogCritical (log one string or number), QelMsgSend and QelMsgImmediate (receiver, message
/// name, up to two payload values; queued or delivered at once).
void registerHostFunctions(lua_State* state);

} // namespace Qel
