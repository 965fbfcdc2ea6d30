#include "QelSceneManager/CollisionLayerTable.h"

#include "LogSink.h"
#include "data/JSON.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <tuple>

using namespace Qel;

namespace {

class CollisionLayerTableTest : public testing::Test {
protected:
    // Parses the scene and loads it; returns what was logged meanwhile.
    std::string load(const std::string& sceneText, bool expectLoaded = true) {
        std::istringstream in(sceneText);
        scene.parse(in);
        EXPECT_TRUE(scene.isParsed());
        logged.take();
        EXPECT_EQ(table.loadFromScene(scene), expectLoaded);
        return logged.take();
    }

    test::LogSink logged;
    JSON scene;
    CollisionLayerTable table;
};

} // namespace

TEST_F(CollisionLayerTableTest, LoadsTheSceneLayersInOrderSkippingThoseWithoutBitsOrWithMalformedOnes) {
    const std::string printed = load(R"({"Scene": {"CollisionLayers": {"marker": 7, "Layers": [
        {"layerName": "Player", "bits": "11"},
        {"layerName": "Ghost"},
        {"layerName": "Default", "bits": "10"},
        {"layerName": "Enemy", "bits": "0"},
        {"layerName": "Broken", "bits": "102"},
        {"layerName": "Long", "bits": "100000000000000000000000000000011"},
        {"layerName": "Tail", "bits": "00000000000000000000000000000001x"}]}}})");
    for (const auto& [layer, bits, mask] : {std::tuple{"Default", 0b10ul, 0b1ul},
                                            {"Player", 0b11ul, 0b10ul},
                                            {"Enemy", 0ul, 0b100ul},
                                            {"Ghost", 0b10ul, 0b1ul}}) {
        EXPECT_EQ(table.getBits(layer).to_ulong(), bits) << layer;
        EXPECT_EQ(table.getMask(layer).to_ulong(), mask) << layer;
    }
    // The cursor stays inside "CollisionLayers".
    int marker = 0;
    EXPECT_TRUE(scene.get("marker", marker));
    EXPECT_EQ(marker, 7);

    EXPECT_NE(
        printed.find("[HIGH] Collision layer \"Broken\": bits may hold only 0 and 1, the layer accepts no "
                     "partner\n"),
        std::string::npos);
    EXPECT_TRUE(table.getBits("Broken").none());
    // Only the first 32 characters count, the 32nd being bit 0.
    EXPECT_EQ(table.getBits("Long").to_ulong(), (1ul << 31) | 1ul);
    EXPECT_EQ(table.getBits("Tail").to_ulong(), 1ul);
    table.setBits("Broken", "1");
    EXPECT_FALSE(table.setBits("Broken", "1a"));
    EXPECT_TRUE(table.getBits("Broken").none());
}

TEST_F(CollisionLayerTableTest, PairTestFollowsMasksAndAcceptedBits) {
    // A scene without layers leaves only "Default", accepting nothing until the physics system
    // enables it with itself; unknown names act as it.
    table.registerLayer("Stale");
    load(R"({"Scene": {}})", false);
    EXPECT_EQ(table.getMask("Stale"), table.getMask("Default"));
    EXPECT_FALSE(table.accepts("Default", "Unknown"));
    EXPECT_TRUE(table.enable("Default", "Default"));
    EXPECT_TRUE(table.accepts("Unknown", "Default"));
    EXPECT_FALSE(table.enable("Default", "Unknown"));

    table.registerLayer("Player");
    EXPECT_FALSE(table.registerLayer("Player"));
    table.registerLayer("Enemy");
    table.setBits("Player", "11");
    EXPECT_TRUE(table.accepts("Player", "Default") && table.accepts("Player", "Player"));
    EXPECT_FALSE(table.accepts("Player", "Enemy") || table.accepts("Default", "Player"));
    table.enable("Default", "Player");
    EXPECT_TRUE(table.accepts("Default", "Player"));
    // Accepting nothing does not stop others from accepting it.
    table.enable("Player", "Enemy");
    EXPECT_FALSE(table.accepts("Enemy", "Default"));
    EXPECT_TRUE(table.accepts("Player", "Enemy"));

    // Layers past the 32nd have no bit of their own and so pass every test.
    for (int i = 3; i < 32; ++i)
        table.registerLayer("L" + std::to_string(i));
    EXPECT_EQ(table.getMask("L31").to_ulong(), 1ul << 31);
    table.registerLayer("Thirty-third");
    EXPECT_TRUE(table.getMask("Thirty-third").none());
    EXPECT_TRUE(table.accepts("Enemy", "Thirty-third"));
}
