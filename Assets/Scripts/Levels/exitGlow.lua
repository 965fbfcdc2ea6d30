-- The fire seen down an open exit: hidden until the exit's script shows it.
scriptTag = "LevelExitGlow"

function onTrigger()
    enableEntity(thisEntityID)
end
