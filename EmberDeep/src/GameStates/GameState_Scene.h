#pragma once

/// The state that runs every scene file: title, levels, credits.
namespace GS_SCENE {
void init();
void update();
} // namespace GS_SCENE
