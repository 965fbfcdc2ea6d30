#include "QelRenderer/Mesh.h"

#include "LogSink.h"
#include "QelRenderer/MeshFile.h"
#include "RendererTestSupport.h"

#include <GL/glew.h>

namespace Qel {
namespace {

class MeshTest : public test::RendererTest {};

GLint bufferSize(GLint buffer) {
    GLint size = -1;
    glGetNamedBufferParameteriv(static_cast<GLuint>(buffer), GL_BUFFER_SIZE, &size);
    return size;
}

TEST_F(MeshTest, BuffersHoldWhatTheFileDescribesAndNothingOutOfRange) {
    struct Case {
        const char* text;
        GLint texCoordsEnabled, vertexBytes, indexBytes;
    };
    // A textured quad; a wireframe without texture coordinates; no index line at all (plain triangles,
    // nothing to draw).
    for (const Case& c : {Case{"v 0.0 0.0\nv 1.0 0.0\nv 0.0 1.0\nv 1.0 1.0\nu 0.0 0.0\nu 1.0 0.0\n"
                               "u 0.0 1.0\nu 1.0 1.0\nts 0 1 2 3\n",
                               GL_TRUE, 4 * 16, 4 * 2},
                          Case{"v 0.0 0.0\nv 1.0 0.0\nv 0.0 1.0\nll 0 1 2\n", GL_FALSE, 3 * 8, 3 * 2},
                          Case{"v 0.0 0.0\nv 1.0 0.0\nv 0.0 1.0\n", GL_FALSE, 3 * 8, 0}}) {
        std::istringstream text(c.text);
        test::LogSink logged;
        const Mesh mesh(parseMeshFile(text, "case.msh"));
        EXPECT_EQ(mesh.indexCount * 2, static_cast<uint32_t>(c.indexBytes)) << c.text;
        GLint enabled = -1, vertexBuffer = 0, elementBuffer = 0;
        glGetVertexArrayIndexediv(mesh.vao, 1, GL_VERTEX_ATTRIB_ARRAY_ENABLED, &enabled);
        EXPECT_EQ(enabled, c.texCoordsEnabled) << c.text;
        glBindVertexArray(mesh.vao);
        glGetVertexAttribiv(0, GL_VERTEX_ATTRIB_ARRAY_BUFFER_BINDING, &vertexBuffer);
        glBindVertexArray(0);
        EXPECT_EQ(bufferSize(vertexBuffer), c.vertexBytes) << c.text;
        glGetVertexArrayiv(mesh.vao, GL_ELEMENT_ARRAY_BUFFER_BINDING, &elementBuffer);
        EXPECT_EQ(bufferSize(elementBuffer), c.indexBytes) << c.text;
        mesh.draw();
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << c.text;
    }
}

TEST(MeshDeathTest, AMissingMeshFileIsAStrongAssertion) {
    EXPECT_EXIT(Mesh("../Assets/Meshes/nothing-here.msh"), testing::ExitedWithCode(187),
                "Unable to open mesh file");
}

} // namespace
} // namespace Qel
