#pragma once

struct lua_State;

namespace Qel {

/// Triggers nested deeper than this (A triggers B, which triggers C, ...) are refused.
constexpr int kMaxTriggerDepth = 16;

/// Sets triggerByEntityID (entity id, values...: true when the target's onTrigger was called)
/// and triggerByScriptTag (tag, values...: calls onTrigger of every entity under the tag). The
/// values reach onTrigger as copies: nil, booleans, numbers (as floats) and strings; anything
/// else arrives as nil. A script that is running (the caller itself, or one further down a chain
/// of triggers) is never entered again: that trigger is refused with a log line.
void registerTriggerBindings(lua_State* L);

} // namespace Qel
