-- The intro level opens with a conversation. The dialogue is built when the level starts, after
-- this script's onInit, so the request waits for the level's first frame.

local asked = false

function onUpdate(dt)
    if asked then
        return
    end
    asked = true
    triggerByScriptTag("Dialogue", "intro")
end
