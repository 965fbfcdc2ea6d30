#include "QelRenderer/LightPacking.h"
#include "QelRenderer/Shader.h"

#include "RendererTestSupport.h"

#include <GL/glew.h>

#include <string>

namespace Qel {
namespace {

Shader buildShipped(const std::string& name) {
    const std::string vertex = QEL_SOURCE_DIR "/Assets/Shaders/" + name + ".vert",
                      fragment = QEL_SOURCE_DIR "/Assets/Shaders/" + name + ".frag";
    return Shader({{GL_VERTEX_SHADER, vertex.c_str()}, {GL_FRAGMENT_SHADER, fragment.c_str()}});
}

using ShippedShadersTest = test::RendererTest;

TEST_F(ShippedShadersTest, AllProgramsBuildAndTheLightBlockMatchesTheBuffer) {
    for (const char* name : {"Debug", "Sprite", "PostProComposite", "bloom", "Font", "UI"}) {
        Shader shader = buildShipped(name);
        EXPECT_TRUE(shader.isLinked) << name;
        EXPECT_EQ(shader.log, "") << name;
    }
    Shader sprite = buildShipped("Sprite");
    const GLuint block = glGetUniformBlockIndex(sprite.programID, "Lights");
    ASSERT_NE(block, GL_INVALID_INDEX);
    GLint size = 0, binding = -1;
    glGetActiveUniformBlockiv(sprite.programID, block, GL_UNIFORM_BLOCK_DATA_SIZE, &size);
    glGetActiveUniformBlockiv(sprite.programID, block, GL_UNIFORM_BLOCK_BINDING, &binding);
    EXPECT_EQ(size, static_cast<GLint>(kLightBufferBytes));
    EXPECT_EQ(binding, 0);
}

} // namespace
} // namespace Qel
