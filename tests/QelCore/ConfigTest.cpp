#include "QelCore/ConfigTargets.h"
#include "QelCore/FileHelper.h"
#include "QelCore/LogManager.h"
#include "QelCore/UserConfig.h"
#include "data/JSON.h"

#include "Files.h"
#include "LogSink.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace Qel {
namespace {

namespace fs = std::filesystem;

// Records what the configuration asked of the window, the frame timing and the audio.
struct FakeTargets final : ConfigTargets {
    void setFullscreen(bool on) override { fullscreen = on; }
    bool isFullscreen() const override { return fullscreen; }
    void setSwapInterval(int interval) override { swapInterval = interval; }
    void setWindowedSize(int width, int height) override { windowed = {width, height}; }
    glm::ivec2 getWindowedSize() const override { return windowed; }
    glm::ivec2 getCurrentSize() const override { return fullscreen ? glm::ivec2(1920, 1080) : windowed; }
    void announceWindowSize(int width, int height) override { announced.emplace_back(width, height); }
    void setFrameCap(uint32_t framesPerSecond) override { frameCap = framesPerSecond; }
    AudioSettings* audioSettings() override { return &audio; }
    void applyAudioSettings() override { ++audioApplied; }

    bool fullscreen = false;
    std::optional<int> swapInterval;
    glm::ivec2 windowed{1280, 720};
    std::vector<glm::ivec2> announced;
    std::optional<uint32_t> frameCap;
    AudioSettings audio;
    int audioApplied = 0;
};

// Runs from <sandbox>/run so that "../Defaults" is the sandbox's copy of the shipped defaults;
// the user folder is the test process's own.
class ConfigTest : public testing::Test {
protected:
    ConfigTest() {
        test::writeText(defaultPath, test::readText(QEL_SOURCE_DIR "/Defaults/configs/config.json"));
        sandbox.enter("run");
        fs::remove_all(files.getUserDirectory());
    }
    ~ConfigTest() override {
        fs::remove_all(files.getUserDirectory());
        delete &files;
        delete logManager;
    }

    JSON userConfig() const { return test::parseJson(test::readText(userPath)); }

    test::Sandbox sandbox{"config-sandbox"};
    const fs::path defaultPath = sandbox / "Defaults" / "configs" / "config.json";
    // On the heap, as Systems makes them: a strong assertion deletes them on its way out.
    LogManager* logManager = new LogManager();
    FileHelper& files = *new FileHelper();
    const fs::path userPath = files.getUserPath("configs/config.json");
    test::LogSink logged;
};

TEST_F(ConfigTest, FirstStartRestoresTheDefaultAppliesItAndWritesItBack) {
    FakeTargets targets;
    loadUserConfig(targets);

    EXPECT_TRUE(logged.has(LOG_CRITICAL, "CFG Validated for minimum version: 1"));
    EXPECT_EQ(targets.swapInterval, 0);
    EXPECT_EQ(targets.announced, (std::vector<glm::ivec2>{{1280, 720}}));
    EXPECT_EQ(targets.audioApplied, 1);

    // The shipped file as it is, without the final line end.
    std::string expected = test::readText(defaultPath);
    expected.pop_back();
    EXPECT_EQ(test::readText(userPath), expected);
}

TEST_F(ConfigTest, OldOrBrokenUserFilesAreReplacedByTheDefault) {
    for (const std::string user : {R"({"CFGVersion": 0, "Custom": 1})", R"({"CFGVersion": 1, )", "[1]", ""}) {
        test::writeText(userPath, user);
        FakeTargets targets;
        loadUserConfig(targets);
        EXPECT_FALSE(logged.contains("CFG Validated")) << user;
        EXPECT_EQ(targets.frameCap, 60u) << user;
        int version = 0, custom = 0;
        JSON written = userConfig();
        EXPECT_TRUE(written.get("CFGVersion", version) && version == 1 && !written.get("Custom", custom)) << user;
    }
}

TEST_F(ConfigTest, MistypedKeysKeepTheirDefaultsAndUnknownKeysSurvive) {
    test::writeText(userPath,
                    R"({"CFGVersion": 2, "Mods": {"list": [1, 2]}, "FramerateCap": -1, "MasterVolume": 1,
                           "SFXVolume": 0.25, "BGMMute": true, "Fullscreen": true, "WindowWidth": 800,
                           "WindowHeight": 600})");
    FakeTargets targets;
    loadUserConfig(targets);
    EXPECT_FALSE(targets.frameCap.has_value());
    EXPECT_TRUE(targets.fullscreen);
    EXPECT_EQ(targets.windowed, glm::ivec2(800, 600));
    EXPECT_TRUE(targets.announced.empty());
    EXPECT_EQ(targets.audio.masterVolume, 0.6f);
    EXPECT_TRUE(targets.audio.bgmMute);

    // Written back: unknown and mistyped keys as they were, missing audio keys added.
    const std::string text = test::readText(userPath);
    for (const char* kept : {"\"list\": [\n\t\t\t1,\n\t\t\t2\n\t\t]", "\"FramerateCap\": -1,",
                             "\"MasterVolume\": 0.6,", "\"MFXMute\": false"})
        EXPECT_NE(text.find(kept), std::string::npos) << kept;
}

TEST_F(ConfigTest, AnIncompleteOrUnusableWindowSizeIsRewrittenFromTheWindow) {
    struct Case {
        std::string file;
        glm::ivec2 expected;
    };
    const Case cases[] = {
        {R"({"CFGVersion": 1, "WindowWidth": 1000})", {1280, 720}},
        {R"({"CFGVersion": 1, "WindowWidth": 0, "WindowHeight": 600})", {1280, 720}},
        {R"({"CFGVersion": 1, "WindowWidth": 90000, "WindowHeight": 600})", {1280, 720}},
        {R"({"CFGVersion": 1, "Fullscreen": true, "WindowHeight": 600})", {1920, 1080}},
    };
    for (const Case& c : cases) {
        test::writeText(userPath, c.file);
        FakeTargets targets;
        loadUserConfig(targets);
        EXPECT_EQ(targets.windowed, glm::ivec2(1280, 720)) << c.file;
        JSON written = userConfig();
        int width = 0, height = 0;
        EXPECT_TRUE(written.get("WindowWidth", width) && written.get("WindowHeight", height));
        EXPECT_EQ(glm::ivec2(width, height), c.expected) << c.file;
    }
}

TEST_F(ConfigTest, UnusableDefaultsStillLeaveAnObjectToRepair) {
    JSON config;
    std::istringstream old(R"({"CFGVersion": 0, "Keep": true})");
    config.parse(old);
    validateConfig(config, sandbox / "missing.json");
    EXPECT_TRUE(logged.has(LOG_CRITICAL, "FAILED TO OPEN DEFAULT CONFIG!"));
    bool keep = false;
    EXPECT_TRUE(config.get("Keep", keep));

    for (const std::string defaults : {R"({"CFGVersion": "1"})", "{"}) {
        test::writeText(defaultPath, defaults);
        JSON broken;
        validateConfig(broken, defaultPath);
        EXPECT_EQ(logged.count("[CRITICAL] DEFAULT CONFIG FAILED VALIDATION!\n"), 1u);
        logged.take();
        FakeTargets targets;
        applyConfig(broken, targets);
        int height = 0;
        EXPECT_TRUE(broken.get("WindowHeight", height) && height == 720) << defaults;
    }
}

TEST_F(ConfigTest, AFailedWriteLeavesThePreviousFileIntact) {
    test::writeText(userPath, "previous");
    EXPECT_FALSE(FileHelper::writeFileAtomically(userPath, [](std::ostream& out) { return !(out << "half"); }));
    EXPECT_FALSE(FileHelper::writeFileAtomically(userPath, [](std::ostream& out) {
        out.setstate(std::ios::badbit);
        return true;
    }));
    fs::path temporary = userPath;
    temporary += ".tmp";
    EXPECT_FALSE(fs::exists(temporary));
    fs::create_directory(temporary);
    EXPECT_FALSE(
        FileHelper::writeFileAtomically(userPath, [](std::ostream& out) { return bool(out << "new"); }));
    EXPECT_EQ(test::readText(userPath), "previous");
    fs::remove(temporary);
    EXPECT_TRUE(
        FileHelper::writeFileAtomically(userPath, [](std::ostream& out) { return bool(out << "new"); }));
    EXPECT_EQ(test::readText(userPath), "new");
}

TEST_F(ConfigTest, AnUnwritableUserFolderStillStartsFromTheDefaultNoDefaultIsAStrongAssertion) {
    // A file where the configs folder should be: nothing can be created below it.
    test::writeText(files.getUserPath("configs"), "in the way");
    FakeTargets targets;
    loadUserConfig(targets);
    EXPECT_EQ(targets.frameCap, 60u);
    EXPECT_TRUE(logged.has(LOG_MED, "CFG: could not write the user configuration"));

    // With no default either, there is nothing to start from.
    fs::remove(defaultPath);
    EXPECT_EXIT(loadUserConfig(targets), testing::ExitedWithCode(187), "");
    EXPECT_NE(
        test::readText(files.getUserPath("logs/log_latest.txt")).find("No config / default config found"),
        std::string::npos);
}

} // namespace
} // namespace Qel
