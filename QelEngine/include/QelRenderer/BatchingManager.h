#pragma once

#include "QelCore/StrongAssert.h"
#include "QelRenderer/GlBatchGpu.h"
#include "QelRenderer/Mesh.h"
#include "QelRenderer/Vertices.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <utility>
#include <vector>

namespace Qel::Graphics {

/// Texture units a batch hands out at most: the batched programs declare the sampler array
/// `uTexture2D[31]`, and a unit past its end cannot be sampled. The lit sprite programs' light map
/// is the 32nd sampler, on the unit after the array's.
inline constexpr uint32_t kBatchTextureUnits = 31;

/// Texture units of an instance that uses two textures (main and emission).
struct SlotPair {
    uint32_t first = 0;
    uint32_t second = 0;
};

/// Collects per-instance records of one quad mesh and draws them with one instanced call per flush.
/// Textures are bound to units as they enter the batch; a record names its textures by unit. The
/// batch flushes by itself when its array is full or every unit is taken, so callers only flush at
/// the end of a pass. Owns its instance buffer; the vertex array belongs to the mesh, which must
/// outlive the batch. Gpu is the GL call policy (a recording stand-in in tests).
template <class VertexT, class Gpu = GlBatchGpu> class BatchManager {
public:
    /// Creates the instance buffer of capacity records, reads the unit count and sizes the arrays
    /// once. SetupAttributes must follow before the first flush.
    BatchManager(uint32_t meshVao, uint32_t meshPrimitive, uint32_t meshIndexCount, uint32_t capacity,
                 Gpu gpuCalls = Gpu())
        : vao(meshVao), capacity(capacity), primitive(meshPrimitive), indexCount(meshIndexCount),
          gpu(std::move(gpuCalls)) {
        QEL_ASSERT(capacity > 0, "An instance batch needs room for one instance");
        vbo = gpu.createInstanceBuffer(capacity * sizeof(VertexT));
        maxSlots = std::min(gpu.maxTextureUnits(), kBatchTextureUnits);
        // Every GL 4.5 context offers at least 16; an instance may need two at once.
        QEL_ASSERT(maxSlots >= 2, "An instance batch needs two texture units");
        instances.resize(capacity);
        slotTextures.assign(maxSlots, 0);
    }
    BatchManager(const Mesh& mesh, uint32_t capacity)
        : BatchManager(mesh.vao, mesh.primitive, mesh.indexCount, capacity) {}

    ~BatchManager() {
        if (vbo != 0) gpu.deleteBuffer(vbo);
    }
    BatchManager(BatchManager&& other) noexcept { *this = std::move(other); }
    BatchManager& operator=(BatchManager&& other) noexcept {
        if (this != &other) {
            if (vbo != 0) gpu.deleteBuffer(vbo);
            vbo = std::exchange(other.vbo, 0);
            vao = other.vao;
            capacity = other.capacity;
            count = std::exchange(other.count, 0);
            drawCalls = other.drawCalls;
            maxSlots = other.maxSlots;
            usedSlots = std::exchange(other.usedSlots, 0);
            instances = std::move(other.instances);
            slotTextures = std::move(other.slotTextures);
            primitive = other.primitive;
            indexCount = other.indexCount;
            gpu = std::move(other.gpu);
        }
        return *this;
    }
    BatchManager(const BatchManager&) = delete;
    BatchManager& operator=(const BatchManager&) = delete;

    /// Adds the record's instance attributes to the mesh's vertex array, in list order, packed from
    /// byte 0. A list that does not describe exactly sizeof(VertexT) bytes is a strong assertion.
    /// The flag is unused.
    void SetupAttributes(std::span<const VertexAttribute> attributes, bool = false) {
        size_t bytes = 0;
        bool layable = true;
        for (const VertexAttribute& attribute : attributes) {
            bytes += attribute.floatCount * sizeof(float);
            const Columns shape = columnsOf(attribute.floatCount);
            layable = layable && shape.columns * shape.components == attribute.floatCount;
        }
        if (!layable || bytes != sizeof(VertexT))
            QEL_STRONG_ASSERT("Total attribute data does not match with desired VertexData!");

        gpu.bindArrayBuffer(vbo);
        gpu.bindVertexArray(vao);
        size_t offset = 0;
        for (const VertexAttribute& attribute : attributes) {
            const Columns shape = columnsOf(attribute.floatCount);
            for (uint32_t column = 0; column < shape.columns; ++column) {
                gpu.instanceAttribute(vao, vbo, attribute.location + column, shape.components, offset,
                                      sizeof(VertexT));
                offset += shape.components * sizeof(float);
            }
        }
        gpu.bindVertexArray(0);
        gpu.bindArrayBuffer(0);
    }

    /// The unit holding texture (a GL name), binding it to the next free unit when it is new.
    uint32_t slotFor(uint32_t texture) {
        if (const auto found = findSlot(texture)) return *found;
        // push() flushes as soon as the last unit is taken, so this only triggers for callers
        // that take units without pushing; drawing what is queued keeps their units valid.
        if (usedSlots == maxSlots) flush();
        slotTextures[usedSlots] = texture;
        gpu.bindTextureUnit(usedSlots, texture);
        return usedSlots++;
    }

    /// Units for two textures of one instance. When both are new and only one unit is free, the
    /// queued instances are drawn first, so the second binding cannot evict the first.
    SlotPair slotsFor(uint32_t first, uint32_t second) {
        const bool bothNew = !findSlot(first) && first != second && !findSlot(second);
        if (bothNew && maxSlots - usedSlots < 2) flush();
        const uint32_t firstSlot = slotFor(first);
        return {firstSlot, slotFor(second)};
    }

    /// Queues one instance; draws the batch when the array is full or every unit is taken.
    void push(const VertexT& instance) {
        instances[count++] = instance;
        if (count == capacity || usedSlots == maxSlots) flush();
    }

    /// Uploads the queued instances, draws them and frees every unit. Callers flush after every
    /// pass, often with nothing queued: that costs no GL call.
    void flush() {
        if (count == 0 && usedSlots == 0) return;
        if (count > 0) {
            gpu.bindVertexArray(vao);
            gpu.bindArrayBuffer(vbo);
            gpu.uploadInstances(vbo, count * sizeof(VertexT), instances.data());
            gpu.drawInstanced(primitive, indexCount, count);
            gpu.bindVertexArray(0);
            ++drawCalls;
        }
        count = 0;
        usedSlots = 0;
        for (uint32_t unit = 0; unit < maxSlots; ++unit) {
            slotTextures[unit] = 0;
            gpu.bindTextureUnit(unit, 0);
        }
    }

    /// Drops queued instances and forgets every unit, without drawing.
    void reset() {
        count = 0;
        usedSlots = 0;
        std::fill(slotTextures.begin(), slotTextures.end(), 0u);
    }

    uint32_t vbo = 0;
    uint32_t vao = 0;
    uint32_t capacity = 0;
    /// Instances queued since the last flush.
    uint32_t count = 0;
    /// Instanced draws made since the batch was created.
    uint64_t drawCalls = 0;
    uint32_t maxSlots = 0;
    /// Units taken since the last flush.
    uint32_t usedSlots = 0;
    std::vector<VertexT> instances;
    /// Entry i is the GL texture bound to unit i.
    std::vector<uint32_t> slotTextures;
    uint32_t primitive = 0;
    /// 16-bit indices per instance.
    uint32_t indexCount = 0;
    Gpu gpu;

private:
    struct Columns {
        uint32_t columns;
        uint32_t components;
    };

    // 1..4 floats: one vector; a multiple of 4: mat4 columns; otherwise mat3 columns. Counts that
    // fill no whole shape (0, 8, 5...) come out inconsistent and fail the layout check.
    static Columns columnsOf(uint32_t floatCount) {
        if (floatCount >= 1 && floatCount <= 4) return {1, floatCount};
        return floatCount % 4 == 0 ? Columns{4, 4} : Columns{3, 3};
    }

    std::optional<uint32_t> findSlot(uint32_t texture) const {
        const auto begin = slotTextures.begin();
        const auto found = std::find(begin, begin + usedSlots, texture);
        if (found == begin + usedSlots) return std::nullopt;
        return static_cast<uint32_t>(found - begin);
    }
};

} // namespace Qel::Graphics
