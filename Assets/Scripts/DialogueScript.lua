-- The game's conversations. This script runs on the dialogue's speech text, which the dialogue
-- system creates (hidden) in every scene, and it gets from that system:
--   SpeakerLHSID, SpeakerRHSID, SpeechBubbleID, SpeechTextID  the four dialogue entities;
--   startDialogue(), stopDialogue(), setDialogueText(text).
-- A level starts a conversation with triggerByScriptTag("Dialogue", name); the dialogue system
-- calls setNextDialogue() each time the player clicks past a finished line.

scriptTag = "Dialogue"

-- Who may speak: the sheet a portrait comes from and which of its frames shows the face.
local speakers = {
    smith = { sheet = "PlayerSheet", frame = 0, frames = 8 },
    cinderling = { sheet = "CinderlingSheet", frame = 0, frames = 8 },
}

-- Each conversation: who stands left and right, then the lines in order. A line is typed as
-- written; "\n" breaks it, since the text box does not wrap by itself.
local conversations = {
    intro = {
        left = "smith",
        right = "cinderling",
        lines = {
            { side = "left", text = "The forge fires are out, and the deep\nbelow them has gone quiet." },
            { side = "right", text = "Not quiet, little smith. Hungry.\nWe ate the heat. We want more." },
            { side = "left", text = "Then come and take it from my hammer." },
            { side = "right", text = "We are many. The rooms below\nare ours. Come down and burn..." },
            { side = "left", text = "Every cinder goes out in the end." },
        },
    },
}

local current = nil -- the conversation being shown, or nil
local index = 0     -- its line on screen

local function showPortrait(entity, speaker)
    local look = speakers[speaker]
    editSpriteRenderer(entity, "setTexture", look.sheet)
    editSpriteRenderer(entity, "setUVSize", 1 / look.frames, 1)
    editSpriteRenderer(entity, "setUVOffset", look.frame / look.frames, 0)
end

-- The parts are created plain white; this gives them the dialogue's look.
local function dress(conversation)
    -- The left portrait mirrors the right one across the screen's centre.
    editUITransform(SpeakerLHSID, "setPosition", -650, 100, 0)
    showPortrait(SpeakerLHSID, conversation.left)
    showPortrait(SpeakerRHSID, conversation.right)
    editSpriteRenderer(SpeechBubbleID, "setTexture", "PanelFrame")
    -- The text is drawn over the bubble, centred on it, without a backdrop of its own.
    editUITransform(SpeechTextID, "setPosition", 0, 275, 0)
    editSpriteRenderer(SpeechTextID, "setTexture", nil)
    editText(SpeechTextID, "setFont", "Roboto-Modified")
    editText(SpeechTextID, "setSize", 30)
    editText(SpeechTextID, "setAlignment", "Left")
    editText(SpeechTextID, "setColor", 1.0, 0.9, 0.75, 1.0)
end

-- The speaker is lit, the listener dimmed.
local function say(line)
    local lit, dim = SpeakerLHSID, SpeakerRHSID
    if line.side == "right" then
        lit, dim = SpeakerRHSID, SpeakerLHSID
    end
    editSpriteRenderer(lit, "setColor", 1.0, 1.0, 1.0, 1.0)
    editSpriteRenderer(dim, "setColor", 0.4, 0.4, 0.45, 1.0)
    setDialogueText(line.text)
end

-- Called by another script: plays the named conversation, unless one is already running.
function onTrigger(name)
    if current ~= nil then
        return
    end
    local conversation = conversations[name]
    if conversation == nil then
        dlogHigh("DialogueScript: no conversation named " .. tostring(name))
        return
    end
    dress(conversation)
    current, index = conversation, 1
    startDialogue()
    say(current.lines[index])
end

function setNextDialogue()
    if current == nil then
        stopDialogue()
        return
    end
    index = index + 1
    local line = current.lines[index]
    if line == nil then
        current = nil
        stopDialogue()
        return
    end
    say(line)
end
