-- The script demo's character: W A S D or the arrow keys move it, Space plays a click.
-- Key codes are GLFW's.
local KEY_SPACE = 32

-- World units per second.
speed = 4.0

function onInit()
    dlogLow("script demo: move with W A S D or the arrow keys")
end

function onUpdate(dt)
    if keyTriggered(KEY_SPACE) then playSFX("ClickingButtons/ButtonPress") end
    local dx, dy = movementInput()
    if dx == 0 and dy == 0 then return end
    local x, y = getPosition(thisEntityID)
    if x == nil then return end
    setPosition(thisEntityID, x + dx * speed * dt, y + dy * speed * dt)
end
