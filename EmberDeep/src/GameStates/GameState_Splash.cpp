#include "GameStates/GameState_Splash.h"

namespace GS_SPLASH {

// The frame already clears the screen to the engine's clear colour; the logos and the loading
// line are drawn here once the renderer's text and sprite passes exist.
void init() {}

void update() {}

} // namespace GS_SPLASH
