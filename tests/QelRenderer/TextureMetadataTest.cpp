#include "QelRenderer/TextureMetadata.h"

#include "LogSink.h"
#include "RendererTestSupport.h"
#include "data/JSON.h"

#include <gtest/gtest.h>

#include <string>

namespace Qel {
namespace {

void expectDefaults(const TextureMetadata& metadata) {
    EXPECT_EQ(metadata.wrapMode, kTextureWrapRepeat);
    EXPECT_EQ(metadata.filterMode, kTextureFilterLinear);
    EXPECT_TRUE(metadata.sRGB);
    EXPECT_TRUE(metadata.subTextures.empty());
}

TEST(TextureMetadataTest, AMissingSidecarIsWrittenAndAWrittenOneIsApplied) {
    const test::Sandbox folder("metadata");
    expectDefaults(readTextureMetadata((folder / "hero.png").string()));
    const JSON written = test::parseJson(test::readText(folder / "hero.png.mdata"));
    std::string wrap, filter;
    bool sRGB = false;
    EXPECT_TRUE(written.get("wrapmode", wrap) && written.get("filtermode", filter) &&
                written.get("sRGB", sRGB));
    EXPECT_EQ(wrap + " " + filter, "wrap linear");
    EXPECT_TRUE(sRGB);

    test::writeText(folder / "sheet.png.mdata", R"({"wrapmode": "clampToBorder", "filtermode": "nearest",
        "sRGB": false, "SubTextures": [
            {"name": "idle", "sizeX": 0.25, "sizeY": 0.5, "offsetX": 0.75, "offsetY": 0.0},
            {"sizeX": 1.0},
            {"name": "run", "sizeX": 0.5, "sizeY": 0.5, "offsetX": 0.0, "offsetY": 0.5}]})");
    test::LogSink logged;
    const TextureMetadata metadata = readTextureMetadata((folder / "sheet.png").string());
    EXPECT_EQ(metadata.wrapMode, kTextureWrapClampToBorder);
    // The element without a name is skipped.
    ASSERT_EQ(metadata.subTextures.size(), 2u);
    EXPECT_FLOAT_EQ(metadata.subTextures.at("idle").offsetX, 0.75f);
    EXPECT_FLOAT_EQ(metadata.subTextures.at("run").offsetY, 0.5f);
}

TEST(TextureMetadataTest, BrokenSidecarsAreLoggedKeepTheDefaultsAndAreNotOverwritten) {
    const test::Sandbox folder("metadata-broken");
    test::writeText(folder / "a.png.mdata", "wrapmode = mirror");
    test::writeText(folder / "b.png.mdata",
                    R"({"wrapmode": 3, "filtermode": "blurry", "sRGB": "no", "SubTextures": {"name": "x"}})");
    test::LogSink logged;
    expectDefaults(readTextureMetadata((folder / "a.png").string()));
    expectDefaults(readTextureMetadata((folder / "b.png").string()));
    const std::string log = logged.take();
    EXPECT_NE(log.find("unreadable texture metadata"), std::string::npos) << log;
    EXPECT_NE(log.find("unknown filtermode \"blurry\""), std::string::npos) << log;
    EXPECT_NE(log.find("JSON: SubTextures is not a valid array"), std::string::npos) << log;
    EXPECT_EQ(test::readText(folder / "a.png.mdata"), "wrapmode = mirror");
}

} // namespace
} // namespace Qel
