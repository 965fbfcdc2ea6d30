-- Sound helpers for every script: each queues one request for the audio manager. A sound is
-- named by its path below Assets/Audio without the extension ("ClickingButtons/ButtonPress");
-- the manager receives the name's hash, which is how its sounds are keyed.
local function request(message, sound)
    if sound == nil then
        QelMsgSend("AudioManager", message)
    else
        QelMsgSend("AudioManager", message, sound)
    end
end

function playSFX(sound) request("playSFX", sound) end
function playMFX(sound) request("playMFX", sound) end
function playBGM(sound) request("playBGM", sound) end
function loopBGM(sound) request("loopBGM", sound) end

-- Group-wide requests: group is "SFX", "BGM" or "MFX" (and "BGMloop" for the looping music
-- where the audio manager offers it).
function stopSound(group) request("stop" .. group) end
function pauseSound(group) request("pause" .. group) end
function unpauseSound(group) request("unpause" .. group) end
function toggleSound(group) request("toggle" .. group) end
function muffleSound(group) request("muffle" .. group) end
function unmuffleSound(group) request("unmuffle" .. group) end
