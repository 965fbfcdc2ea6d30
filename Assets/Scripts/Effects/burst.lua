-- A one-shot particle burst other scripts set off where something happened, by the emitter's
-- tag: triggerByScriptTag(tag, x, y). The tag comes from the emitter's second script.
function onTrigger(x, y)
    if x ~= nil and y ~= nil then setPosition(thisEntityID, x, y) end
    -- Off first, so a burst still running starts again from its beginning.
    QelMsgImmediate("ParticleSystem", "PS_setActive", thisEntityID, 0)
    QelMsgImmediate("ParticleSystem", "PS_setActive", thisEntityID, 1)
end
