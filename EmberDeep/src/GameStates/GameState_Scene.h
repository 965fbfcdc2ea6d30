#pragma once

/// The state that runs every scene file: title, levels, credits.
namespace GS_SCENE {
/// Loads the SceneManager's next scene and starts it; a scene that fails to load sends the game
/// back to the splash, which names the title scene again.
void init();
/// Every system's Update with the frame's delta time.
void update();
} // namespace GS_SCENE
