#include "BatchTestSupport.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

namespace Qel::test {
namespace {

/// Pushes one instance per texture, each taking (or reusing) its unit.
template <class Batch> void pushWith(Batch& batch, std::initializer_list<uint32_t> textures) {
    for (const uint32_t texture : textures) {
        batch.slotFor(texture);
        batch.push({});
    }
}

TEST(BatchingManagerTest, AFullArrayIsDrawnBeforeTheNextInstanceAndTheBufferIsReleased) {
    std::shared_ptr<int> live;
    {
        auto batch = recordedBatch<SpriteVertex>(2048);
        live = batch.gpu.liveBuffers;
        EXPECT_EQ(batch.gpu.bufferBytes, 2048 * sizeof(SpriteVertex));
        for (int i = 0; i < 2048; ++i)
            pushWith(batch, {7});
        EXPECT_EQ(batch.gpu.draws, (std::vector<uint32_t>{2048}));
        batch.push({});
        batch.flush();
        EXPECT_EQ(batch.gpu.draws, (std::vector<uint32_t>{2048, 1}));
        // Only the queued records go up.
        EXPECT_EQ(batch.gpu.uploads,
                  (std::vector<size_t>{2048 * sizeof(SpriteVertex), sizeof(SpriteVertex)}));
        RecordedBatch<SpriteVertex> moved(std::move(batch));
    }
    EXPECT_EQ(*live, 0);
}

TEST(BatchingManagerTest, TakingTheLastUnitDrawsAndFreesEveryUnit) {
    auto batch = recordedBatch<SpriteVertex>(2048, 4);
    pushWith(batch, {11, 12, 11});
    EXPECT_EQ(batch.slotFor(11), 0u);
    EXPECT_EQ(batch.gpu.unitBindings.size(), 2u);

    pushWith(batch, {13, 14});
    EXPECT_EQ(batch.gpu.draws, (std::vector<uint32_t>{5}));
    const std::vector<std::pair<uint32_t, uint32_t>> unbound{{0, 0}, {1, 0}, {2, 0}, {3, 0}};
    EXPECT_TRUE(std::equal(unbound.begin(), unbound.end(), batch.gpu.unitBindings.end() - 4));
    EXPECT_EQ(batch.slotTextures, (std::vector<uint32_t>{0, 0, 0, 0}));
    // Textures seen before the flush are new again and start over at unit 0.
    EXPECT_EQ(batch.slotFor(12), 0u);
}

TEST(BatchingManagerTest, TwoNewTexturesOfOneInstanceNeverShareTheLastFreeUnit) {
    auto batch = recordedBatch<SpriteVertex>(2048, 4);
    pushWith(batch, {11, 12, 13});
    // One unit left and one of the two is bound already: no flush needed.
    const Graphics::SlotPair reused = batch.slotsFor(12, 20);
    EXPECT_EQ(std::pair(reused.first, reused.second), std::pair(1u, 3u));
    EXPECT_TRUE(batch.gpu.draws.empty());
    batch.push({});

    pushWith(batch, {11, 12, 13});
    const Graphics::SlotPair fresh = batch.slotsFor(30, 31);
    EXPECT_EQ(batch.gpu.draws, (std::vector<uint32_t>{4, 3}));
    EXPECT_EQ(std::pair(fresh.first, fresh.second), std::pair(0u, 1u));
    EXPECT_EQ(batch.slotTextures, (std::vector<uint32_t>{30, 31, 0, 0}));
}

TEST(BatchingManagerTest, AttributesArePackedInOrderWithOneLocationPerMatrixColumn) {
    auto sprites = recordedBatch<SpriteVertex>(2048);
    sprites.SetupAttributes(SpriteVertex::attributes, false);
    std::vector<std::tuple<uint32_t, uint32_t, size_t, size_t>> expected;
    for (uint32_t location = 2; location <= 8; ++location)
        expected.emplace_back(location, 4, 16 * (location - 2), 116);
    expected.emplace_back(9, 1, 112, 116);
    EXPECT_EQ(sprites.gpu.attributes, expected);

    struct Mat3Vertex {
        float basis[9];
        float weight;
    };
    auto mat3 = recordedBatch<Mat3Vertex>(8);
    const VertexAttribute mat3List[] = {{2, 9}, {5, 1}};
    mat3.SetupAttributes(mat3List);
    EXPECT_EQ(mat3.gpu.attributes,
              (decltype(expected){{2, 3, 0, 40}, {3, 3, 12, 40}, {4, 3, 24, 40}, {5, 1, 36, 40}}));
}

TEST(BatchingManagerDeathTest, AnAttributeListThatDoesNotDescribeTheVertexStopsTheProgram) {
    const char* text = "Total attribute data does not match with desired VertexData!";
    auto sprites = recordedBatch<SpriteVertex>(16);
    const VertexAttribute shortList[] = {{2, 4}, {3, 4}, {4, 16}, {8, 4}, {9, 16}};
    EXPECT_EXIT(sprites.SetupAttributes(shortList), testing::ExitedWithCode(187), text);

    // Adds up to the size, but an 8-float "matrix" would be laid out as 16 floats.
    struct EightFloats {
        float values[8];
    };
    auto odd = recordedBatch<EightFloats>(16);
    const VertexAttribute oddList[] = {{2, 8}};
    EXPECT_EXIT(odd.SetupAttributes(oddList), testing::ExitedWithCode(187), text);
}

TEST(BatchingManagerTest, AnEmptyFlushUploadsAndDrawsNothing) {
    auto batch = recordedBatch<UIVertex>(250);
    batch.flush();
    pushWith(batch, {7, 8, 7});
    batch.flush();
    batch.flush();
    EXPECT_EQ(batch.gpu.uploads, (std::vector<size_t>{3 * sizeof(UIVertex)}));
    EXPECT_EQ(batch.gpu.draws, (std::vector<uint32_t>{3}));
    // Units taken without an instance are still freed, without a draw.
    batch.slotFor(9);
    batch.flush();
    EXPECT_EQ(batch.gpu.draws.size(), 1u);
    EXPECT_EQ(batch.slotFor(10), 0u);
}

TEST(BatchingManagerTest, UnitsStopAtTheSamplerArrayOfTheBatchedPrograms) {
    EXPECT_EQ(recordedBatch<UIVertex>(8, 192).maxSlots, Graphics::kBatchTextureUnits);
    EXPECT_EQ(recordedBatch<UIVertex>(8, 16).maxSlots, 16u);
    const std::string declaration = "uTexture2D[" + std::to_string(Graphics::kBatchTextureUnits) + "];";
    for (const char* program : {"Sprite.frag", "UI.frag"}) {
        std::ifstream file(std::string(QEL_SOURCE_DIR "/Assets/Shaders/") + program);
        const std::string source{std::istreambuf_iterator<char>(file), {}};
        EXPECT_NE(source.find(declaration), std::string::npos) << program;
    }
}

} // namespace
} // namespace Qel::test
