#pragma once

#include "Synth.h"

namespace SoundGen {

/// The game's sounds, one clip each. Music loops end where they begin, so they repeat without a seam.
Clip titleTheme();
Clip levelTheme();
Clip deepTheme();
Clip buttonPress();
Clip swapTabs();
Clip icewalfAttack();
Clip icewalfHurt();
Clip icewalfDeath();
Clip hammerSwing();
Clip hammerHit();
Clip playerHurt();
Clip footstep();
Clip exitOpen();

} // namespace SoundGen
