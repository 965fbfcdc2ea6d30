-- Dust where the hammer lands (see burst).
scriptTag = "HammerHitDust"
