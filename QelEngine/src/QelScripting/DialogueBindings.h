#pragma once

#include "ECS/Entity.h"

#include <span>

namespace Qel {

class LuaScript;

/// Makes a loaded state the dialogue's script: the globals SpeakerLHSID, SpeakerRHSID,
/// SpeechBubbleID and SpeechTextID (the four parts, in DialogueSystem::Part order) and the
/// functions setDialogueText (text), startDialogue () and stopDialogue (), which act on the loaded
/// DialogueSystem and return nothing.
void installDialogueBindings(LuaScript& script, std::span<const Entity, 4> parts);

} // namespace Qel
