-- The script demo's character: W A S D or the arrow keys move it, Space plays a click.
-- Key codes are GLFW's.
local KEY_SPACE = 32
local KEY_A, KEY_D, KEY_S, KEY_W = 65, 68, 83, 87
local KEY_RIGHT, KEY_LEFT, KEY_DOWN, KEY_UP = 262, 263, 264, 265

-- World units per second.
speed = 4.0

-- +1, -1 or 0: which of the two directions is held (both cancel out).
local function axis(positiveKey, positiveArrow, negativeKey, negativeArrow)
    local value = 0
    if keyPressed(positiveKey) or keyPressed(positiveArrow) then value = value + 1 end
    if keyPressed(negativeKey) or keyPressed(negativeArrow) then value = value - 1 end
    return value
end

function onInit()
    dlogLow("script demo: move with W A S D or the arrow keys")
end

function onUpdate(dt)
    if keyTriggered(KEY_SPACE) then playSFX("ClickingButtons/ButtonPress") end
    local dx = axis(KEY_D, KEY_RIGHT, KEY_A, KEY_LEFT)
    local dy = axis(KEY_W, KEY_UP, KEY_S, KEY_DOWN)
    if dx == 0 and dy == 0 then return end
    local x, y = getPosition(thisEntityID)
    if x == nil then return end
    setPosition(thisEntityID, x + dx * speed * dt, y + dy * speed * dt)
end
