-- The hammer: held out towards the cursor, swung with the left mouse button. A swing lunges
-- forward and strikes every Cinderling it touches once: a stun, a hit point, dust, and for the
-- last hit point the enemy's death cry, a puff of ash and word to the player's script.
scriptTag = "Hammer"

-- GLFW's code for the left mouse button.
local MOUSE_LEFT = 0
-- World units from the player's hands to the hammer, at rest and at the height of a swing.
local REACH = 0.9
local SWING_REACH = 1.6
-- The player's hands sit a little below the centre of the two-unit sprite.
local HAND_HEIGHT = -0.3
-- Seconds: the swing (the HammerSwing clip's length) and the rest before the next one.
local SWING_SECONDS = 0.25
local COOLDOWN_SECONDS = 0.15
local DAMAGE = 1
local STUN_SECONDS = 0.5

-- Seconds into the current swing; nil while the hammer rests.
local swingTime = nil
local cooldown = 0.0
-- Enemies the current swing already struck, so a swing hits each one once.
local struck = {}
-- Cleared while the player lies on the floor: a fallen player swings nothing.
local held = true

local function startSwing()
    swingTime = 0.0
    struck = {}
    playSFX("Player/HammerSwing")
    setAnimBool(thisEntityID, "isSwing", true)
end

-- Moves the swing on by dt seconds; returns how far out the hammer is now (a smooth lunge out
-- and back over the swing).
local function advanceSwing(dt)
    if swingTime == nil then return REACH end
    swingTime = swingTime + dt
    if swingTime >= SWING_SECONDS then
        swingTime = nil
        cooldown = COOLDOWN_SECONDS
        setAnimBool(thisEntityID, "isIdle", true)
        return REACH
    end
    return REACH + (SWING_REACH - REACH) * math.sin(math.pi * swingTime / SWING_SECONDS)
end

function earlyUpdate(dt, aimX, aimY, playerID)
    local x, y = getPosition(playerID)
    if x == nil then return end
    cooldown = cooldown - dt
    if held and swingTime == nil and cooldown <= 0.0 and keyTriggered(MOUSE_LEFT) then startSwing() end
    local out = advanceSwing(dt)
    setPosition(thisEntityID, x + aimX * out, y + HAND_HEIGHT + aimY * out)
end

local function strike(kind, enemyID)
    -- Only a swing hurts, only once, and never what is already dead; leaving contact does nothing.
    if swingTime == nil or kind == 3 or struck[enemyID] then return end
    local health = editEnemy(enemyID, "getHealth")
    if health == nil or health <= 0 then return end
    struck[enemyID] = true
    editEnemy(enemyID, "stun", STUN_SECONDS)
    editEnemy(enemyID, "damage", DAMAGE)
    playSFX("Player/HammerHit")
    local x, y = getPosition(enemyID)
    triggerByScriptTag("HammerHitDust", x, y)
    if editEnemy(enemyID, "getHealth") <= 0 then
        -- The enemy system plays the death clip and takes the body away after a second.
        playSFX("Icewalf(Enemy)/IcewalfDeath")
        triggerByScriptTag("EnemyDeathPuff", x, y)
        triggerByScriptTag("Player", "felled")
    else
        playSFX("Icewalf(Enemy)/IcewalfHurt")
    end
end

-- The player's script says whether the hammer is in hand: triggerByScriptTag("Hammer", inHand).
function onTrigger(inHand)
    held = inHand ~= false
end

function onCollide(otherTag)
    if otherTag == "Enemy" then return strike end
    return nil
end
