#include "QelRenderer/GlBatchGpu.h"

#include <GL/glew.h>

namespace Qel::Graphics {

uint32_t GlBatchGpu::createInstanceBuffer(size_t bytes) {
    GLuint buffer = 0;
    glCreateBuffers(1, &buffer);
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glNamedBufferStorage(buffer, static_cast<GLsizeiptr>(bytes), nullptr, GL_DYNAMIC_STORAGE_BIT);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    return buffer;
}

void GlBatchGpu::deleteBuffer(uint32_t buffer) {
    glDeleteBuffers(1, &buffer);
}

uint32_t GlBatchGpu::maxTextureUnits() {
    GLint units = 0;
    glGetIntegerv(GL_MAX_TEXTURE_IMAGE_UNITS, &units);
    return units > 0 ? static_cast<uint32_t>(units) : 0;
}

void GlBatchGpu::bindVertexArray(uint32_t vao) {
    glBindVertexArray(vao);
}

void GlBatchGpu::bindArrayBuffer(uint32_t buffer) {
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
}

void GlBatchGpu::instanceAttribute(uint32_t vao, uint32_t buffer, uint32_t location, uint32_t components,
                                   size_t offset, size_t stride) {
    glEnableVertexArrayAttrib(vao, location);
    glVertexArrayVertexBuffer(vao, location, buffer, static_cast<GLintptr>(offset),
                              static_cast<GLsizei>(stride));
    glVertexArrayAttribFormat(vao, location, static_cast<GLint>(components), GL_FLOAT, GL_FALSE, 0);
    glVertexArrayAttribBinding(vao, location, location);
    // Acts on the bound vertex array, which the caller has bound.
    glVertexAttribDivisor(location, 1);
}

void GlBatchGpu::uploadInstances(uint32_t buffer, size_t bytes, const void* data) {
    glNamedBufferSubData(buffer, 0, static_cast<GLsizeiptr>(bytes), data);
}

void GlBatchGpu::drawInstanced(uint32_t primitive, uint32_t indexCount, uint32_t instances) {
    glDrawElementsInstanced(primitive, static_cast<GLsizei>(indexCount), GL_UNSIGNED_SHORT, nullptr,
                            static_cast<GLsizei>(instances));
}

void GlBatchGpu::bindTextureUnit(uint32_t unit, uint32_t texture) {
    glBindTextureUnit(unit, texture);
}

} // namespace Qel::Graphics
