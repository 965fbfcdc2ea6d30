#pragma once

#include <glm/mat4x4.hpp>
#include <glm/vec2.hpp>
#include <glm/vec4.hpp>

#include <array>
#include <cstddef>
#include <cstdint>

namespace Qel {

/// One per-instance attribute of a batch: its first shader location and its float count. Counts of
/// 1 to 4 are one vector; 16 is a mat4 and 9 a mat3, taking one location per column.
struct VertexAttribute {
    uint32_t location = 0;
    uint32_t floatCount = 0;
};

/// Per-instance record of the world sprite batch. Locations 0 and 1 are the quad mesh's own.
struct SpriteVertex {
    /// x main texture unit, y emission unit or -1, z emission amount, w light-mask unit or -1.
    glm::vec4 slots{0.0f, -1.0f, 1.0f, -1.0f};
    /// RGBA, 0..1.
    glm::vec4 color{1.0f};
    /// projection * view * model, column-major.
    glm::mat4 modelToNDC{1.0f};
    /// Texture rectangle shown: offset x, offset y, size x, size y (texture units).
    glm::vec4 uvRect{0.0f, 0.0f, 1.0f, 1.0f};
    /// 1 for sprites and shadows, the mask's alpha for light masks.
    float alpha = 1.0f;

    static constexpr std::array<VertexAttribute, 5> attributes{{{2, 4}, {3, 4}, {4, 16}, {8, 4}, {9, 1}}};
};

/// Per-instance record of the UI batch.
struct UIVertex {
    /// x texture unit; y 0 for an image, 1 for a text glyph.
    glm::vec2 slot{0.0f, 0.0f};
    /// RGBA, 0..1.
    glm::vec4 color{1.0f};
    /// screen projection * model, column-major.
    glm::mat4 modelToNDC{1.0f};
    glm::vec2 uvOffset{0.0f, 0.0f};
    glm::vec2 uvSize{1.0f, 1.0f};

    static constexpr std::array<VertexAttribute, 5> attributes{{{2, 2}, {3, 4}, {4, 16}, {8, 2}, {9, 2}}};
};

// The shaders read these records straight from the instance buffers: the layouts are fixed.
static_assert(sizeof(SpriteVertex) == 116);
static_assert(offsetof(SpriteVertex, slots) == 0);
static_assert(offsetof(SpriteVertex, color) == 16);
static_assert(offsetof(SpriteVertex, modelToNDC) == 32);
static_assert(offsetof(SpriteVertex, uvRect) == 96);
static_assert(offsetof(SpriteVertex, alpha) == 112);

static_assert(sizeof(UIVertex) == 104);
static_assert(offsetof(UIVertex, slot) == 0);
static_assert(offsetof(UIVertex, color) == 8);
static_assert(offsetof(UIVertex, modelToNDC) == 24);
static_assert(offsetof(UIVertex, uvOffset) == 88);
static_assert(offsetof(UIVertex, uvSize) == 96);

} // namespace Qel
