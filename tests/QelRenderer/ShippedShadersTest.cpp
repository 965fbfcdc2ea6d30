#include "QelRenderer/LightPacking.h"
#include "QelRenderer/Shader.h"

#include "RendererTestSupport.h"

#include <GL/glew.h>

#include <string>

namespace Qel {
namespace {

Shader buildShipped(const std::string& vertexName, const std::string& fragmentName,
                    const char* defines = "") {
    const std::string vertex = QEL_SOURCE_DIR "/Assets/Shaders/" + vertexName + ".vert",
                      fragment = QEL_SOURCE_DIR "/Assets/Shaders/" + fragmentName + ".frag";
    return Shader({{GL_VERTEX_SHADER, vertex.c_str()}, {GL_FRAGMENT_SHADER, fragment.c_str()}}, defines);
}

using ShippedShadersTest = test::RendererTest;

TEST_F(ShippedShadersTest, AllProgramsBuildAndTheLightBlockMatchesTheBuffer) {
    // Each side of every #ifdef in the shipped sources.
    const struct {
        const char* vertex;
        const char* fragment;
        const char* defines;
    } programs[] = {{"Debug", "Debug", ""},
                    {"Sprite", "Sprite", "#define LIT\n#define GLOWING\n"},
                    {"Sprite", "Sprite", ""},
                    {"PostProComposite", "PostProComposite", "#define GRADED\n"},
                    {"bloom", "bloom", ""},
                    {"bloom", "bloom", "#define SHRINKING\n"},
                    {"Sprite", "Sprite", "#define SHADOW\n"},
                    {"Sprite", "Sprite", "#define SHADOW\n#define SOLID\n"},
                    {"bloom", "LightMap", ""},
                    {"Font", "Font", ""},
                    {"UI", "UI", ""}};
    for (const auto& [vertex, fragment, defines] : programs) {
        Shader shader = buildShipped(vertex, fragment, defines);
        EXPECT_TRUE(shader.isLinked) << fragment << " " << defines;
        EXPECT_EQ(shader.log, "") << fragment << " " << defines;
    }
    Shader lightMap = buildShipped("bloom", "LightMap");
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
