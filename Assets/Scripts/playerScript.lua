-- The player: walks with W A S D or the arrow keys, takes hits from enemies (get_hurt), wins a
-- hit point back for each Cinderling felled, and falls when its hit points run out, which
-- restarts the level.
scriptTag = "Player"

-- World units per second.
local SPEED = 6.0
local MAX_HEALTH = 5
-- Seconds: how long a hit shows (the Hurt clip) and keeps further hits off.
local HURT_SECONDS = 0.4
local INVULNERABLE_SECONDS = 0.8
-- Seconds at the start of a level (and after each fall) in which no bite lands, so the player
-- can look around before the nearest Cinderling arrives.
local START_SAFE_SECONDS = 2.0
-- Seconds lying on the floor before the level starts again.
local DOWN_SECONDS = 1.5
-- Seconds between footsteps while walking.
local STEP_SECONDS = 0.35

health = MAX_HEALTH
local hurtTime = 0.0
local invulnerableTime = START_SAFE_SECONDS
local downTime = nil
local stepTime = 0.0
local shownHealth = nil

-- The health display listens under its own tag; sent whenever the number changes.
local function showHealth()
    if shownHealth == health then return end
    shownHealth = health
    triggerByScriptTag("PlayerHealth", health, MAX_HEALTH)
end

local function walk(dt)
    local dx, dy = movementInput()
    local moving = dx ~= 0 or dy ~= 0
    if moving then
        -- Diagonals are no faster than straight lines.
        local length = math.sqrt(dx * dx + dy * dy)
        setVelocity(thisEntityID, dx / length * SPEED, dy / length * SPEED)
        stepTime = stepTime - dt
        if stepTime <= 0.0 then
            playSFX("Player/Footstep")
            stepTime = STEP_SECONDS
        end
    else
        setVelocity(thisEntityID, 0.0, 0.0)
        stepTime = 0.0
    end
    -- The Hurt clip plays to its end before walking or standing takes over again.
    if hurtTime <= 0.0 then setAnimBool(thisEntityID, moving and "isWalk" or "isIdle", true) end
end

function earlyUpdate(dt, aimX, aimY, hammerID)
    showHealth()
    if downTime ~= nil then
        setVelocity(thisEntityID, 0.0, 0.0)
        downTime = downTime + dt
        if downTime >= DOWN_SECONDS then
            downTime = nil
            restartScene()
        end
        return
    end
    hurtTime = hurtTime - dt
    invulnerableTime = invulnerableTime - dt
    walk(dt)
end

-- The hammer's script reports each Cinderling it fells: triggerByScriptTag("Player", "felled").
-- The warmth that escapes it gives back a hit point, so a player who fights well can last.
function onTrigger(event)
    if event ~= "felled" or downTime ~= nil then return end
    health = math.min(MAX_HEALTH, health + 1)
    showHealth()
end

-- An enemy's bite: amount hit points from the attacking entity.
function get_hurt(amount, attackerID)
    if downTime ~= nil or invulnerableTime > 0.0 then return end
    health = math.max(0, health - amount)
    showHealth()
    playSFX("Player/PlayerHurt")
    if health == 0 then
        -- Lies still on the Down frame; earlyUpdate restarts the level after a beat.
        downTime = 0.0
        setVelocity(thisEntityID, 0.0, 0.0)
        setAnimBool(thisEntityID, "isDown", true)
        triggerByScriptTag("Hammer", false)
        dlogLow("player: down")
        return
    end
    hurtTime = HURT_SECONDS
    invulnerableTime = INVULNERABLE_SECONDS
    setAnimBool(thisEntityID, "isHurt", true)
end

