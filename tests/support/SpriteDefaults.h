#pragma once

// What systems that build sprites take from the renderer: GLEW's entry points for the current
// context (a test's WindowHandler made one), the "sprite" shader and the "quad" mesh, read from
// "../Assets". Needs an X display.
namespace Qel {
class AssetManager;
}

namespace Qel::test {

/// False when GLEW could not load the entry points; nothing is loaded then.
bool loadSpriteDefaults(AssetManager& assets);

} // namespace Qel::test
