#pragma once

#include "Files.h"
#include "QelRenderer/BatchingManager.h"
#include "QelRenderer/Texture.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

namespace Qel::test {

/// Stands in for the GL calls of a batch and records them.
struct RecordingGpu {
    /// Buffers created minus buffers deleted, shared by copies so it outlives the batch.
    std::shared_ptr<int> liveBuffers = std::make_shared<int>(0);
    uint32_t units = 16;
    size_t bufferBytes = 0;
    std::vector<uint32_t> draws;
    std::vector<size_t> uploads;
    /// (location, components, offset, stride) per attribute.
    std::vector<std::tuple<uint32_t, uint32_t, size_t, size_t>> attributes;
    /// (unit, texture) per binding.
    std::vector<std::pair<uint32_t, uint32_t>> unitBindings;

    uint32_t createInstanceBuffer(size_t bytes) {
        bufferBytes = bytes;
        return static_cast<uint32_t>(++*liveBuffers);
    }
    void deleteBuffer(uint32_t) { --*liveBuffers; }
    uint32_t maxTextureUnits() const { return units; }
    void bindVertexArray(uint32_t) {}
    void bindArrayBuffer(uint32_t) {}
    void instanceAttribute(uint32_t, uint32_t, uint32_t location, uint32_t components, size_t offset,
                           size_t stride) {
        attributes.emplace_back(location, components, offset, stride);
    }
    void uploadInstances(uint32_t, size_t bytes, const void*) { uploads.push_back(bytes); }
    void drawInstanced(uint32_t, uint32_t, uint32_t instances) { draws.push_back(instances); }
    void bindTextureUnit(uint32_t unit, uint32_t texture) { unitBindings.emplace_back(unit, texture); }
};

template <class VertexT> using RecordedBatch = Graphics::BatchManager<VertexT, RecordingGpu>;

template <class VertexT> RecordedBatch<VertexT> recordedBatch(uint32_t capacity, uint32_t units = 16) {
    RecordingGpu gpu;
    gpu.units = units;
    return RecordedBatch<VertexT>(1, 4, 6, capacity, std::move(gpu));
}

/// A texture with a chosen GL name and no GL object behind it (decoded from a 1-pixel image; with
/// no message manager nothing is uploaded).
class StandInTexture {
public:
    explicit StandInTexture(uint32_t glName) {
        const auto path =
            std::filesystem::path(std::getenv("XDG_DATA_HOME")) / (std::to_string(glName) + ".png");
        writePng(path, 1, 1, 3, {255, 255, 255});
        texture = std::make_unique<Texture>(path.c_str(), 1);
        texture->id = glName;
    }
    ~StandInTexture() { texture->id = 0; }

    Texture* get() const { return texture.get(); }

private:
    std::unique_ptr<Texture> texture;
};

} // namespace Qel::test
