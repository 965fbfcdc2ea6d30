#include "data/DirectoryLoader.h"

#include "Files.h"
#include "LogSink.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

namespace fs = std::filesystem;

namespace Qel {
namespace {

class DirectoryLoaderTest : public testing::Test {
protected:
    void touch(const std::string& relative) { test::writeText(root / relative, relative); }

    /// Walks with a loader that records name -> path and refuses names already seen or
    /// containing "broken"; keeps what was logged.
    size_t load(const fs::path& folder, std::initializer_list<std::string_view> extensions) {
        log.take();
        const size_t count =
            loadDirectory(folder, extensions, [this](const std::string& name, const std::string& path) {
                return name.find("broken") == std::string::npos && seen.emplace(name, path).second;
            });
        logged = log.take();
        return count;
    }

    test::LogSink log;
    const test::Sandbox sandbox{"loader"};
    const fs::path root = sandbox.path();
    std::map<std::string, std::string> seen;
    std::string logged;
};

TEST_F(DirectoryLoaderTest, NamesNestedFilesAndMatchesExtensionsExactly) {
    for (const char* file : {"top.lua", "SHOUT.LUA", "enemy/ai.lua", "enemy/boss/phase.two.lua",
                             "enemy/ai.Lua", "readme.txt", "Makefile", "v1.0/lua", ".hidden/x.lua.bak"}) {
        touch(file);
    }
    EXPECT_EQ(load(root, {".lua", ".LUA"}), 4u);
    EXPECT_EQ(seen.count("top") + seen.count("SHOUT") + seen.count("enemy/ai"), 3u);
    EXPECT_EQ(seen["enemy/boss/phase.two"], (root / "enemy/boss/phase.two.lua").generic_string());

    // Without extensions every regular file counts; a trailing separator changes no name.
    seen.clear();
    EXPECT_EQ(load(root.string() + "/", {}), 8u); // enemy/ai.Lua repeats a name
    EXPECT_EQ(seen.count("Makefile") + seen.count("v1.0/lua") + seen.count("enemy/ai"), 3u);
}

TEST_F(DirectoryLoaderTest, RefusedFilesAndUnusableFoldersAreReportedAndTheWalkGoesOn) {
    for (const char* file : {"a.png", "a.jpg", "broken.png", "z/c.png"})
        touch(file);
    // A link to itself cannot be examined; it is reported and skipped.
    fs::create_symlink(root / "loop.png", root / "loop.png");

    EXPECT_EQ(load(root, {".png", ".jpg"}), 2u);
    EXPECT_EQ(seen.count("a") + seen.count("z/c"), 2u);
    EXPECT_NE(logged.find("[MED] unable to load asset: " + (root / "broken.png").generic_string()),
              std::string::npos);
    EXPECT_NE(logged.find("loop.png"), std::string::npos);

    seen.clear();
    for (const fs::path& folder : {root / "a.png", root / "missing"}) {
        EXPECT_EQ(load(folder, {".png"}), 0u);
        const std::string line =
            "[HIGH] \"" + folder.generic_string() + "\" does not exist or is not a valid directory.";
        EXPECT_NE(logged.find(line), std::string::npos) << logged;
    }
    EXPECT_TRUE(seen.empty());
}

} // namespace
} // namespace Qel
