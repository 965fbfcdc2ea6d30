#include "QelRenderer/Shader.h"

#include "RendererTestSupport.h"

#include <GL/glew.h>

namespace Qel {
namespace {

class ShaderTest : public test::RendererTest {};

TEST_F(ShaderTest, FailuresLandInTheLogAndTheProgramIsKept) {
    const test::Sandbox folder("shaders");
    const std::string vert = (folder / "a.vert").string(), frag = (folder / "a.frag").string(),
                      broken = (folder / "broken.frag").string(),
                      missing = (folder / "missing.frag").string();
    test::writeText(vert, "#version 450 core\nlayout(location = 0) in vec2 aPosition;\n"
                          "void main() { gl_Position = vec4(aPosition, 0.0, 1.0); }\n");
    test::writeText(frag, "#version 450 core\nuniform vec3 uColor;\nout vec4 colour;\n"
                          "void main() { colour = vec4(uColor, 1.0); }\n");
    test::writeText(broken, "#version 450 core\nvoid main() { undeclared = 1.0; }\n");

    Shader good({{GL_VERTEX_SHADER, vert.c_str()}, {GL_FRAGMENT_SHADER, frag.c_str()}});
    EXPECT_TRUE(good.isLinked);
    EXPECT_EQ(good.log, "");
    good.use();
    good.setInt("uMissing", 3);
    EXPECT_EQ(good.log, "Uniform variable 'uMissing' doesn't exist");
    // GL ignores location -1, so a missing uniform is harmless at the GL level too.
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    Shader::unbind();

    Shader failing({{GL_VERTEX_SHADER, vert.c_str()}, {GL_FRAGMENT_SHADER, broken.c_str()}});
    EXPECT_FALSE(failing.isLinked);
    EXPECT_NE(failing.programID, 0u);
    EXPECT_EQ(failing.log.rfind("Fragment shader compilation failed\n", 0), 0u) << failing.log;
    EXPECT_NE(failing.log.find("undeclared"), std::string::npos) << failing.log;
    // Every problem stays in the log, in order.
    Shader twice({{GL_VERTEX_SHADER, broken.c_str()}, {GL_FRAGMENT_SHADER, missing.c_str()}});
    EXPECT_FALSE(twice.isLinked);
    EXPECT_EQ(twice.log.rfind("Vertex shader compilation failed\n", 0), 0u) << twice.log;
    EXPECT_TRUE(twice.log.ends_with("\nFile not found")) << twice.log;

    Shader single({{GL_VERTEX_SHADER, vert.c_str()}});
    EXPECT_TRUE(single.isLinked);
    EXPECT_EQ(single.log, "Too few shader files!");
    EXPECT_FALSE(single.compile(GL_FRAGMENT_SHADER, missing.c_str()));
    EXPECT_FALSE(single.compile(GL_TEXTURE_2D, vert.c_str()));
    EXPECT_EQ(single.log, "Too few shader files!\nFile not found\nIncorrect shader type!");
}

} // namespace
} // namespace Qel
