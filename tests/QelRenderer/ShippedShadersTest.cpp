#include "QelRenderer/LightPacking.h"
#include "QelRenderer/Shader.h"

#include "RendererTestSupport.h"

#include <GL/glew.h>

#include <string>

namespace Qel {
namespace {

using ShippedShadersTest = test::RendererTest;

// Every shipped program is built and drawn with by the frame tests, which see a program that did not
// build as a pass drawing nothing; only the light block's layout is invisible there.
TEST_F(ShippedShadersTest, TheLightBlockMatchesTheBuffer) {
    Shader lightMap({{GL_VERTEX_SHADER, QEL_SOURCE_DIR "/Assets/Shaders/bloom.vert"},
                     {GL_FRAGMENT_SHADER, QEL_SOURCE_DIR "/Assets/Shaders/LightMap.frag"}});
    ASSERT_TRUE(lightMap.isLinked) << lightMap.log;
    const GLuint block = glGetUniformBlockIndex(lightMap.programID, "Lights");
    ASSERT_NE(block, GL_INVALID_INDEX);
    GLint size = 0, binding = -1;
    glGetActiveUniformBlockiv(lightMap.programID, block, GL_UNIFORM_BLOCK_DATA_SIZE, &size);
    glGetActiveUniformBlockiv(lightMap.programID, block, GL_UNIFORM_BLOCK_BINDING, &binding);
    EXPECT_EQ(size, static_cast<GLint>(kLightBufferBytes));
    EXPECT_EQ(binding, 0);
}

} // namespace
} // namespace Qel
