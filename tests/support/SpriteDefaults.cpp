#include "SpriteDefaults.h"

#include "QelRenderer/Mesh.h"
#include "QelRenderer/Shader.h"
#include "data/AssetManager.h"

#include <GL/glew.h>

#include <string>

namespace Qel::test {

bool loadSpriteDefaults(AssetManager& assets) {
    // The core profile hides the entry points GLEW looks for unless it probes them all.
    glewExperimental = GL_TRUE;
    if (glewInit() != GLEW_OK) return false;
    assets.load<Shader>("sprite",
                        Shader::StageList{{GL_VERTEX_SHADER, "../Assets/Shaders/Sprite.vert"},
                                          {GL_FRAGMENT_SHADER, "../Assets/Shaders/Sprite.frag"}},
                        "#define LIT\n");
    assets.load<Mesh>("quad", std::string("../Assets/Meshes/square.msh"));
    return true;
}

} // namespace Qel::test
