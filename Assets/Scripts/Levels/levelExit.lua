-- A level's way on. It stays shut while any Cinderling of the level lives; the frame the last one
-- falls it opens (the open frame, its glow and light, a burst of sparks, a sound), and the player
-- stepping onto it then goes on. The level's own script beside this one names where: nextScene.

-- Texture-coordinate offset of the open frame, the right half of the exit's sheet.
local OPEN_FRAME = 0.5

local open = false
local leaving = false

local function openUp()
    open = true
    editSpriteRenderer(thisEntityID, "setUVOffset", OPEN_FRAME, 0.0)
    triggerByScriptTag("LevelExitGlow")
    local x, y = getPosition(thisEntityID)
    triggerByScriptTag("LevelExitBurst", x, y)
    playSFX("Level/ExitOpen")
end

function onUpdate(dt)
    -- countEnemies gives nothing when it cannot count: then the exit stays shut.
    if not open and countEnemies() == 0 then openUp() end
end

local function playerOnExit(kind, playerID)
    -- Kind 3 is the player stepping off.
    if not open or leaving or kind == 3 then return end
    leaving = true
    if not changeScene(nextScene) then dlogHigh("LevelExit: cannot go on to " .. tostring(nextScene)) end
end

function onCollide(otherTag)
    if otherTag == "playerTag" then return playerOnExit end
    return nil
end
