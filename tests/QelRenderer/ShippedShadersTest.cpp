#include "QelRenderer/LightPacking.h"
#include "QelRenderer/Mesh.h"
#include "QelRenderer/Shader.h"

#include "RendererTestSupport.h"

#include <GL/glew.h>

#include <glm/exponential.hpp>
#include <glm/gtc/type_precision.hpp>

#include <cmath>
#include <memory>

namespace Qel {
namespace {

std::string shaderPath(const std::string& file) {
    return std::string(QEL_SOURCE_DIR "/Assets/Shaders/") + file;
}

Shader buildShipped(const std::string& vertexFile, const std::string& fragmentFile) {
    const std::string vertex = shaderPath(vertexFile), fragment = shaderPath(fragmentFile);
    return Shader({{GL_VERTEX_SHADER, vertex.c_str()}, {GL_FRAGMENT_SHADER, fragment.c_str()}});
}

/// A texture with linear filtering and clamped edges, deleted with the object.
struct TestTexture {
    TestTexture(int width, int height, GLenum internalFormat, GLenum type, const void* pixels) {
        glCreateTextures(GL_TEXTURE_2D, 1, &id);
        glTextureStorage2D(id, 1, internalFormat, width, height);
        if (pixels) glTextureSubImage2D(id, 0, 0, 0, width, height, GL_RGBA, type, pixels);
        glTextureParameteri(id, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTextureParameteri(id, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glTextureParameteri(id, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTextureParameteri(id, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    }
    ~TestTexture() { glDeleteTextures(1, &id); }
    GLuint id = 0;
};

/// An off-screen size x size target of one colour texture, bound on creation; draws cover it whole.
struct TestTarget {
    TestTarget(int size, GLenum internalFormat) : texture(size, size, internalFormat, GL_FLOAT, nullptr) {
        glCreateFramebuffers(1, &fbo);
        glNamedFramebufferTexture(fbo, GL_COLOR_ATTACHMENT0, texture.id, 0);
        glBindFramebuffer(GL_FRAMEBUFFER, fbo);
        glViewport(0, 0, size, size);
    }
    ~TestTarget() {
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glDeleteFramebuffers(1, &fbo);
    }
    glm::vec4 read(int x, int y) const {
        glm::vec4 pixel(-1.0f);
        glReadPixels(x, y, 1, 1, GL_RGBA, GL_FLOAT, &pixel[0]);
        return pixel;
    }
    TestTexture texture;
    GLuint fbo = 0;
};

class ShippedShadersTest : public test::RendererTest {
protected:
    // GL objects are made here, once the shared context is known to exist.
    void SetUp() override {
        test::RendererTest::SetUp();
        if (IsSkipped()) return;
        // Raw shader outputs are compared below, so nothing is blended with the cleared target.
        glDisable(GL_BLEND);
        quad = std::make_unique<Mesh>(QEL_SOURCE_DIR "/Assets/Meshes/square.msh");
    }
    void TearDown() override {
        if (!quad) return;
        quad.reset();
        glEnable(GL_BLEND);
        Shader::unbind();
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }

    std::unique_ptr<Mesh> quad;
};

TEST_F(ShippedShadersTest, AllProgramsBuildAndTheLightBlockMatchesTheBuffer) {
    for (const char* name : {"Debug", "Sprite", "PostProComposite", "bloom", "Font", "UI"}) {
        Shader shader = buildShipped(std::string(name) + ".vert", std::string(name) + ".frag");
        EXPECT_TRUE(shader.isLinked) << name;
        EXPECT_EQ(shader.log, "") << name;
    }
    Shader sprite = buildShipped("Sprite.vert", "Sprite.frag");
    const GLuint block = glGetUniformBlockIndex(sprite.programID, "Lights");
    ASSERT_NE(block, GL_INVALID_INDEX);
    GLint size = 0, binding = -1;
    glGetActiveUniformBlockiv(sprite.programID, block, GL_UNIFORM_BLOCK_DATA_SIZE, &size);
    glGetActiveUniformBlockiv(sprite.programID, block, GL_UNIFORM_BLOCK_BINDING, &binding);
    EXPECT_EQ(size, static_cast<GLint>(kLightBufferBytes));
    EXPECT_EQ(binding, 0);
}

class CompositeTest : public ShippedShadersTest {
protected:
    /// The composite of one linear scene colour (no bloom, no table), as the window would get it.
    glm::vec4 composite(glm::vec3 sceneColor) {
        const glm::vec4 scenePixel(sceneColor, 1.0f), black(0.0f);
        TestTexture scene(1, 1, GL_RGBA16F, GL_FLOAT, &scenePixel);
        TestTexture bloom(1, 1, GL_RGBA16F, GL_FLOAT, &black);
        TestTarget window(1, GL_RGBA8);

        Shader program = buildShipped("PostProComposite.vert", "PostProComposite.frag");
        program.use();
        glBindTextureUnit(3, scene.id);
        glBindTextureUnit(4, bloom.id);
        program.setInt("uTexture2D", 3);
        program.setInt("uBloomTexture", 4);
        program.setBool("uIsLUT", false);
        quad->draw();
        EXPECT_EQ(program.log, "");
        glBindTextureUnit(3, 0);
        glBindTextureUnit(4, 0);
        return window.read(0, 0);
    }
};

TEST_F(CompositeTest, RollsOffHighlightsKeepingTheHue) {
    const glm::vec4 bright = composite({1.2f, 0.6f, 0.0f});
    // Clipped, red would be 1; rolled off it stays just below.
    EXPECT_LT(bright.r, 0.995f);
    EXPECT_GT(bright.r, 0.97f);
    // Red stays twice green in linear terms.
    EXPECT_NEAR(std::pow(bright.g, 2.2f) / std::pow(bright.r, 2.2f), 0.5f, 0.02f);
}

} // namespace
} // namespace Qel
