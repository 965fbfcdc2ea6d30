#include "QelRenderer/Texture.h"

#include "LogSink.h"
#include "QelRenderer/Mesh.h"
#include "QelRenderer/Shader.h"
#include "RendererTestSupport.h"

#include <GL/glew.h>
#include <glm/gtc/matrix_transform.hpp>

#include <array>

namespace Qel {
namespace {

// 3 x 2 RGB texels, top row first as in the file: a row of 9 bytes, which no 4-byte alignment fits.
const std::vector<uint8_t> kPicture = {
    255, 0,   0, /**/ 0, 255, 0,   /**/ 0,   0, 255, // red, green, blue
    255, 255, 0, /**/ 0, 255, 255, /**/ 255, 0, 255, // yellow, cyan, magenta
};

class TextureTest : public test::RendererTest {};

TEST_F(TextureTest, AnUploadedTextureIsSampledUprightWithItsOwnTexels) {
    const test::Sandbox folder("texture-sampled");
    test::writePng(folder / "plain.png", 3, 2, 3, kPicture);
    const Texture plain((folder / "plain.png").c_str());
    GLint format = 0;
    glGetTextureLevelParameteriv(plain.id, 0, GL_TEXTURE_INTERNAL_FORMAT, &format);
    EXPECT_EQ(format, GL_SRGB8);

    test::writePng(folder / "picture.png", 3, 2, 3, kPicture);
    test::writeText(folder / "picture.png.mdata", R"({"filtermode": "nearest", "sRGB": false})");
    test::writeText(folder / "a.vert", "#version 450 core\nlayout(location = 0) in vec2 aPosition;\n"
                                       "layout(location = 1) in vec2 aUV;\nuniform mat4 uModel_to_NDC;\n"
                                       "out vec2 uv;\nvoid main() { uv = aUV;\n"
                                       "gl_Position = uModel_to_NDC * vec4(aPosition, 0.0, 1.0); }\n");
    test::writeText(folder / "a.frag",
                    "#version 450 core\nin vec2 uv;\nuniform sampler2D uTexture2D[2];\n"
                    "out vec4 colour;\nvoid main() { colour = texture(uTexture2D[1], uv); }\n");
    test::LogSink logged;
    const Texture texture((folder / "picture.png").c_str());
    GLint magnify = 0;
    glGetTextureParameteriv(texture.id, GL_TEXTURE_MAG_FILTER, &magnify);
    EXPECT_EQ(magnify, GL_NEAREST);
    const std::string vert = (folder / "a.vert").string(), frag = (folder / "a.frag").string();
    Shader shader({{GL_VERTEX_SHADER, vert.c_str()}, {GL_FRAGMENT_SHADER, frag.c_str()}});
    ASSERT_EQ(shader.log, "");
    const Mesh quad(std::string(QEL_SOURCE_DIR) + "/Assets/Meshes/square.msh");

    glViewport(0, 0, 1280, 720);
    shader.use();
    const int units[2] = {0, 1};
    shader.setTextureUnits(2, units);
    shader.setModelToNDC(glm::scale(glm::mat4(1.0f), glm::vec3(2.0f, 2.0f, 1.0f)));
    glBindTextureUnit(1, texture.id);
    quad.draw();
    Shader::unbind();

    // Window rows count from the bottom: the picture's top row must land in the upper half.
    for (int texel = 0; texel < 6; ++texel) {
        const int column = texel % 3, row = texel / 3;
        std::array<GLubyte, 4> pixel{};
        glReadPixels(column * 1280 / 3 + 213, (1 - row) * 360 + 180, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE,
                     pixel.data());
        EXPECT_TRUE(std::equal(pixel.begin(), pixel.begin() + 3, kPicture.begin() + texel * 3))
            << "texel " << texel;
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

} // namespace
} // namespace Qel
