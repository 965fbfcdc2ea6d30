#include "ECS/Prefab/PrefabManager.h"
#include "QelCore/ConfigTargets.h"
#include "QelCore/LogManager.h"
#include "QelCore/UserConfig.h"
#include "QelSceneManager/QelSceneManager.h"
#include "data/JSON.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

using namespace Qel;

namespace {

/// `depth` nested containers: objects {"k": ...} or arrays [...], around a 1.
std::string nested(size_t depth, bool objects) {
    std::string text;
    for (size_t i = 0; i < depth; ++i)
        text += objects ? "{\"k\": " : "[";
    text += "1";
    for (size_t i = 0; i < depth; ++i)
        text += objects ? '}' : ']';
    return text;
}

const std::string kTooDeepLine =
    "[HIGH] JSON: nested deeper than " + std::to_string(JSON::kMaxDepth) + " levels\n";

class JSONNestingTest : public testing::Test {
protected:
    void SetUp() override { testing::internal::CaptureStdout(); }
    void TearDown() override { testing::internal::GetCapturedStdout(); }

    std::string takeLog() {
        std::string text = testing::internal::GetCapturedStdout();
        testing::internal::CaptureStdout();
        return text;
    }

    LogManager logManager;
};

TEST_F(JSONNestingTest, TheLimitIsAcceptedAndOneMoreLevelRefused) {
    for (bool objects : {true, false}) {
        SCOPED_TRACE(objects ? "objects" : "arrays");
        JSON deepest;
        std::istringstream accepted(nested(JSON::kMaxDepth, objects));
        deepest.parse(accepted);
        ASSERT_TRUE(deepest.isParsed());
        // What the reader accepts, the writer writes and the reader takes back.
        std::ostringstream out;
        ASSERT_TRUE(deepest.write(out));
        JSON again;
        std::istringstream back(out.str());
        again.parse(back);
        EXPECT_TRUE(again.isParsed());
        EXPECT_EQ(takeLog(), "");

        JSON tooDeep;
        std::istringstream refused(nested(JSON::kMaxDepth + 1, objects));
        tooDeep.parse(refused);
        EXPECT_FALSE(tooDeep.isParsed());
        EXPECT_EQ(takeLog(), kTooDeepLine + "[HIGH] JSON: Parse error\n");
    }
}

struct NoTargets final : ConfigTargets {
    void setFullscreen(bool) override {}
    bool isFullscreen() const override { return false; }
    void setSwapInterval(int) override {}
    void setWindowedSize(int, int) override {}
    glm::ivec2 getWindowedSize() const override { return {1280, 720}; }
    glm::ivec2 getCurrentSize() const override { return {1280, 720}; }
    void announceWindowSize(int, int) override {}
    void setFrameCap(uint32_t) override {}
    AudioSettings* audioSettings() override { return nullptr; }
    void applyAudioSettings() override {}
};

TEST_F(JSONNestingTest, AHostileConfigurationIsRepairedFromTheDefaultAtOnce) {
    const auto start = std::chrono::steady_clock::now();
    JSON config;
    std::istringstream hostile(R"({"CFGVersion": 1, "Junk": )" + nested(100000, true) + "}");
    config.parse(hostile);
    validateConfig(config, std::filesystem::path(QEL_SOURCE_DIR) / "Defaults/configs/config.json");
    NoTargets targets;
    applyConfig(config, targets);
    std::ostringstream written;
    ASSERT_TRUE(config.write(written));
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    EXPECT_NE(takeLog().find(kTooDeepLine), std::string::npos);
    EXPECT_LT(seconds, 1.0);
    EXPECT_EQ(written.str().find("Junk"), std::string::npos);
    EXPECT_LT(written.str().size(), 1000u);
    int version = 0;
    EXPECT_TRUE(config.get("CFGVersion", version));
}

TEST_F(JSONNestingTest, TooDeepScenesAndPrefabsAreUnparsableFiles) {
    const std::string tooDeep =
        R"({"Scene": {"gameObjects": [], "x": )" + nested(JSON::kMaxDepth, false) + "}}";
    const std::filesystem::path file = std::filesystem::path(testing::TempDir()) / "DeepScene.json";
    std::ofstream(file) << tooDeep;
    SceneManager scenes;
    ASSERT_TRUE(scenes.setNextScene(file));
    JSON doc;
    EXPECT_FALSE(scenes.getScene(doc));
    EXPECT_FALSE(scenes.loadScene(doc));
    EXPECT_EQ(takeLog(), kTooDeepLine + "[HIGH] JSON: Parse error\n[HIGH] Unable to parse scene file\n");
    std::filesystem::remove(file);

    PrefabManager prefabs;
    std::istringstream prefab(R"({"name": "Deep", "component": {"types": [{"name": "Transform", "x": )" +
                              nested(JSON::kMaxDepth, true) + "}]}}");
    EXPECT_FALSE(prefabs.LoadPrefab(prefab));
    EXPECT_EQ(prefabs.FindPrefab("Deep"), nullptr);
}

} // namespace
