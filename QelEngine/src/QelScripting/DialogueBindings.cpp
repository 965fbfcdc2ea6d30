#include "QelScripting/DialogueBindings.h"

#include "ECS/System/Systems/DialogueSystem.h"
#include "QelCore/LogManager.h"
#include "QelScripting/LuaScript.h"

#include <lua.hpp>

#include <initializer_list>
#include <optional>
#include <string>

namespace Qel {

namespace {

/// The loaded system, or null with a log line naming the binding.
DialogueSystem* dialogue(const char* binding) {
    DialogueSystem* system = DialogueSystem::active();
    if (!system) logf(LOG_CRITICAL, "[LUA] | %s needs a loaded DialogueSystem", binding);
    return system;
}

int GOScript_setDialogueText(lua_State* L) {
    DialogueSystem* system = dialogue("GOScript_setDialogueText");
    if (!system) return 0;
    std::optional<std::string> text;
    const int type = lua_type(L, 1);
    if (type == LUA_TSTRING || type == LUA_TNUMBER) {
        // The text of a copy, so a number argument itself is left a number.
        lua_pushvalue(L, 1);
        size_t length = 0;
        const char* chars = lua_tolstring(L, -1, &length);
        text.emplace(chars, length);
        lua_pop(L, 1);
    }
    system->setDialogueText(text);
    return 0;
}

int GOScript_startDialogue(lua_State*) {
    if (DialogueSystem* system = dialogue("GOScript_startDialogue")) system->startDialogue();
    return 0;
}

int GOScript_stopDialogue(lua_State*) {
    if (DialogueSystem* system = dialogue("GOScript_stopDialogue")) system->stopDialogue();
    return 0;
}

} // namespace

void installDialogueBindings(LuaScript& script, std::span<const Entity, 4> parts) {
    const char* const idNames[] = {"SpeakerLHSID", "SpeakerRHSID", "SpeechBubbleID", "SpeechTextID"};
    for (size_t part = 0; part < parts.size(); ++part)
        script.setInteger(idNames[part], static_cast<int64_t>(parts[part]));
    lua_State* L = script.state();
    // Raw writes: the script's top level may have given its globals a metatable.
    lua_rawgeti(L, LUA_REGISTRYINDEX, LUA_RIDX_GLOBALS);
    for (const luaL_Reg& binding : {luaL_Reg{"setDialogueText", &GOScript_setDialogueText},
                                    luaL_Reg{"startDialogue", &GOScript_startDialogue},
                                    luaL_Reg{"stopDialogue", &GOScript_stopDialogue}}) {
        lua_pushstring(L, binding.name);
        lua_pushcfunction(L, binding.func);
        lua_rawset(L, -3);
    }
    lua_pop(L, 1);
}

} // namespace Qel
