#pragma once

/// The first state: shown while the content loads.
namespace GS_SPLASH {
void init();
void update();
} // namespace GS_SPLASH
