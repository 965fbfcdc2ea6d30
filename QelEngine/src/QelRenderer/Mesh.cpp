#include "QelRenderer/Mesh.h"

#include "QelCore/LogManager.h"
#include "QelCore/StrongAssert.h"
#include "QelRenderer/MeshFile.h"

#include <GL/glew.h>

#include <fstream>
#include <utility>

namespace Qel {

static_assert(kPrimitiveTriangles == GL_TRIANGLES && kPrimitiveLineLoop == GL_LINE_LOOP &&
              kPrimitiveTriangleStrip == GL_TRIANGLE_STRIP);

Mesh::Mesh(const std::string& path) {
    std::ifstream in(path);
    if (!in) {
        logf(LOG_CRITICAL, "mesh file: %s", path.c_str());
        QEL_STRONG_ASSERT("Unable to open mesh file");
    }
    upload(parseMeshFile(in, path));
}

Mesh::Mesh(const MeshData& data) {
    upload(data);
}

Mesh::~Mesh() {
    release();
}

Mesh::Mesh(Mesh&& other) noexcept
    : vao(std::exchange(other.vao, 0)), indexCount(std::exchange(other.indexCount, 0)),
      primitive(other.primitive), name(std::move(other.name)),
      vertexBuffer(std::exchange(other.vertexBuffer, 0)),
      elementBuffer(std::exchange(other.elementBuffer, 0)) {}

Mesh& Mesh::operator=(Mesh&& other) noexcept {
    if (this != &other) {
        release();
        vao = std::exchange(other.vao, 0);
        indexCount = std::exchange(other.indexCount, 0);
        primitive = other.primitive;
        name = std::move(other.name);
        vertexBuffer = std::exchange(other.vertexBuffer, 0);
        elementBuffer = std::exchange(other.elementBuffer, 0);
    }
    return *this;
}

void Mesh::draw() const {
    glBindVertexArray(vao);
    glDrawElements(primitive, static_cast<GLsizei>(indexCount), GL_UNSIGNED_SHORT, nullptr);
}

void Mesh::drawInstanced(int instanceCount) const {
    glBindVertexArray(vao);
    glDrawElementsInstanced(primitive, static_cast<GLsizei>(indexCount), GL_UNSIGNED_SHORT, nullptr,
                            instanceCount);
}

void Mesh::upload(const MeshData& data) {
    name = data.name;
    primitive = data.primitive;
    const auto vertexCount = static_cast<GLsizeiptr>(data.positions.size());
    const bool hasTexCoords = !data.texCoords.empty();
    // Per vertex: a position (2 floats, 8 bytes), then, after all positions, a texture coordinate.
    const GLsizeiptr positionBytes = vertexCount * 8;

    glCreateBuffers(1, &vertexBuffer);
    // Empty storage is an error in GL, so an empty mesh keeps a buffer without storage.
    if (vertexCount > 0) {
        glNamedBufferStorage(vertexBuffer, hasTexCoords ? 2 * positionBytes : positionBytes, nullptr,
                             GL_DYNAMIC_STORAGE_BIT);
        glNamedBufferSubData(vertexBuffer, 0, positionBytes, data.positions.data());
        if (hasTexCoords)
            glNamedBufferSubData(vertexBuffer, positionBytes, positionBytes, data.texCoords.data());
    }

    glCreateVertexArrays(1, &vao);
    const auto attribute = [this](GLuint index, GLintptr offset) {
        glEnableVertexArrayAttrib(vao, index);
        glVertexArrayVertexBuffer(vao, index, vertexBuffer, offset, 8);
        glVertexArrayAttribFormat(vao, index, 2, GL_FLOAT, GL_FALSE, 0);
        glVertexArrayAttribBinding(vao, index, index);
    };
    attribute(0, 0);
    if (hasTexCoords) attribute(1, positionBytes);

    indexCount = static_cast<uint32_t>(data.indices.size());
    glCreateBuffers(1, &elementBuffer);
    if (indexCount > 0) {
        glNamedBufferStorage(elementBuffer, static_cast<GLsizeiptr>(indexCount * sizeof(uint16_t)),
                             data.indices.data(), GL_DYNAMIC_STORAGE_BIT);
    }
    glVertexArrayElementBuffer(vao, elementBuffer);
    glBindVertexArray(0);
}

void Mesh::release() {
    if (vao != 0) glDeleteVertexArrays(1, &vao);
    if (vertexBuffer != 0) glDeleteBuffers(1, &vertexBuffer);
    if (elementBuffer != 0) glDeleteBuffers(1, &elementBuffer);
    vao = vertexBuffer = elementBuffer = 0;
}

} // namespace Qel
