-- The intro level opens with a conversation, once a visit: a restart after the player's fall goes
-- straight back to the fight. The dialogue is built when the level starts, after this script's
-- onInit, so the request waits for the level's first frame.

local asked = false

function onUpdate(dt)
    if asked then
        return
    end
    asked = true
    if not isSceneRestart() then triggerByScriptTag("Dialogue", "intro") end
end
