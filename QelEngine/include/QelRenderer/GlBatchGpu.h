#pragma once

#include <cstddef>
#include <cstdint>

namespace Qel::Graphics {

/// The OpenGL calls of an instance batch, kept apart so the batching rules can run against a
/// recording stand-in. Main thread only; needs a current GL 4.5 context.
struct GlBatchGpu {
    /// A buffer with immutable, dynamically updatable storage of `bytes` bytes.
    static uint32_t createInstanceBuffer(size_t bytes);
    static void deleteBuffer(uint32_t buffer);
    /// GL_MAX_TEXTURE_IMAGE_UNITS.
    static uint32_t maxTextureUnits();

    static void bindVertexArray(uint32_t vao);
    static void bindArrayBuffer(uint32_t buffer);
    /// One per-instance vector attribute of `components` floats at byte `offset` of each record of
    /// `stride` bytes, read from its own binding point (numbered like the location).
    static void instanceAttribute(uint32_t vao, uint32_t buffer, uint32_t location, uint32_t components,
                                  size_t offset, size_t stride);
    static void uploadInstances(uint32_t buffer, size_t bytes, const void* data);
    /// Draws the bound vertex array's 16-bit indexed mesh `instances` times.
    static void drawInstanced(uint32_t primitive, uint32_t indexCount, uint32_t instances);
    static void bindTextureUnit(uint32_t unit, uint32_t texture);
};

} // namespace Qel::Graphics
