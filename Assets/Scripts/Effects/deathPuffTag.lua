-- Ash where a Cinderling burns out (see burst).
scriptTag = "EnemyDeathPuff"
