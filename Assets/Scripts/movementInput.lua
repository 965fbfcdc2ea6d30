-- Movement keys for every script that walks something: W A S D or the arrow keys.
-- Key codes are GLFW's.
local KEY_A, KEY_D, KEY_S, KEY_W = 65, 68, 83, 87
local KEY_RIGHT, KEY_LEFT, KEY_DOWN, KEY_UP = 262, 263, 264, 265

-- +1, -1 or 0: which of the two directions is held (both cancel out).
local function axis(positiveKey, positiveArrow, negativeKey, negativeArrow)
    local value = 0
    if keyPressed(positiveKey) or keyPressed(positiveArrow) then value = value + 1 end
    if keyPressed(negativeKey) or keyPressed(negativeArrow) then value = value - 1 end
    return value
end

-- The held direction as dx, dy (each +1, -1 or 0).
function movementInput()
    return axis(KEY_D, KEY_RIGHT, KEY_A, KEY_LEFT), axis(KEY_W, KEY_UP, KEY_S, KEY_DOWN)
end
