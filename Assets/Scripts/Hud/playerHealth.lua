-- The player's hit points in the corner of the screen; the player's script sends them
-- whenever they change: triggerByScriptTag("PlayerHealth", health, maxHealth).
scriptTag = "PlayerHealth"

function onTrigger(health, maxHealth)
    if health == nil or maxHealth == nil then return end
    editText(thisEntityID, "setText", string.format("Health  %d / %d", math.floor(health), math.floor(maxHealth)))
    -- Flame at the last hit point, bone white otherwise.
    if health <= 1 then
        editText(thisEntityID, "setColor", 0.88, 0.34, 0.11, 1.0)
    else
        editText(thisEntityID, "setColor", 0.91, 0.86, 0.8, 1.0)
    end
end
