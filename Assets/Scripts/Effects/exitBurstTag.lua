-- Sparks thrown up as an exit opens (see burst).
scriptTag = "LevelExitBurst"
