// Reloading content while the game runs: changed files take effect in what is made from them
// next, broken ones leave the old version in place and say why, unchanged ones are only counted.
#include "Files.h"
#include "LogSink.h"
#include "World.h"

#include "ECS/Components/Transform.h"
#include "ECS/System/Systems/GOScriptSystem.h"
#include "QelCore/GameStateManager.h"
#include "QelCore/HotReload.h"
#include "QelRenderer/AnimationClip.h"
#include "QelRenderer/AnimationController.h"
#include "QelRenderer/AnimationLoading.h"
#include "QelScripting/ScriptAssets.h"

#include <gtest/gtest.h>

using namespace Qel;

namespace {

std::string script(const char* version) {
    return std::string("function onInit() dlogHigh('mover ") + version + "') end";
}

std::string crate(const std::string& scaleX) {
    return std::string(
               R"({"name": "Crate", "tag": "Prop", "component": {"types": [{"name": "Transform", "scaleX": )") +
           scaleX + R"(}, {"name": "GOScripts", "canBuild": true, "scripts": [{"file": "Mover"}]}]}})";
}

std::string clip(const char* end) {
    return std::string(R"({"config": {"isLoop": true, "start": 0.0, "end": )") + end + "}}";
}

std::string controller(const char* clip, const char* speed = "1.0") {
    return std::string(R"({"animationStates": {"state": [{"name": "Walk", "clip": ")") + clip +
           R"(", "playbackSpeed": )" + speed +
           R"(, "transition": []}]}, "config": {"defaultState": "Walk"}})";
}

class HotReloadTest : public ::testing::Test, protected test::World {
protected:
    void SetUp() override {
        // Kept lines as in the game, so the many reloads below never overflow into a dump file.
        log->setAddPriority(LOG_HIGH);
        catalogue();
        add<GOScriptSystem>("GOScriptSystem")->Load();
        write("Scripts/Mover.lua", script("v1"));
        write("Prefabs/Crate.json", crate("2.0"));
        write("JSON/Walk.anim", clip("1.0"));
        write("JSON/Walk.animcontroller", controller("Walk"));
        write("Scenes/Level.json", R"({"Scene": {"gameObjects": []}})");
        sandbox.enter("bin");
        loadScripts();
        loadAnimationFolder("../Assets/JSON");
        prefabs->LoadAllPrefabs();
        JSON doc;
        ASSERT_TRUE(scenes->setNextScene("../Assets/Scenes/Level.json") && scenes->getScene(doc));
        logged.take();
    }
    void TearDown() override { systems->GetSystem<GOScriptSystem>()->Unload(); }

    void write(const std::string& file, const std::string& text) {
        test::writeText(sandbox / "Assets" / file, text);
    }
    const AnimState* walking() {
        return assets->findRegistry<AnimatorController>()->get(hashName("Walk"))->findDefaultState();
    }
    /// A Crate's x scale; its script logs its version as it is built.
    float instantiateCrate() {
        const Entity crate = prefabs->Instantiate("Crate").first;
        return get<Transform>(crate).scale.x;
    }

    test::Sandbox sandbox{"reload"};
    test::LogSink logged;
    GameStateManager states;
};

TEST_F(HotReloadTest, ChangedFilesTakeEffectAndUnchangedOnesAreOnlyCounted) {
    // An animator playing the old state keeps a valid one until its scene is rebuilt.
    const AnimState* playing = walking();
    write("Scripts/Mover.lua", script("v2"));
    write("Prefabs/Crate.json", crate("4.0"));
    write("JSON/Walk.anim", clip("3.0"));
    write("JSON/Walk.animcontroller", controller("Walk", "2.0"));
    hotReload();
    EXPECT_TRUE(logged.has(LOG_HIGH, "hot reload: 4 changed, 0 failed, 1 unchanged; rebuilding the scene"));
    EXPECT_EQ(states.getNext(), GS_RESTART);
    EXPECT_EQ(playing->playbackSpeed, 1.0f);
    EXPECT_EQ(walking()->playbackSpeed, 2.0f);
    EXPECT_EQ(playing->clip->end, 3.0f);
    EXPECT_EQ(instantiateCrate(), 4.0f);
    EXPECT_TRUE(logged.has(LOG_HIGH, "mover v2"));

    // Each version is read beside the last, whose prefab id is handed back: ids never run out.
    for (int scale = 5; scale < 5 + static_cast<int>(MAX_PREFABS); ++scale) {
        write("Prefabs/Crate.json", crate(std::to_string(scale) + ".0"));
        reloadContent();
    }
    EXPECT_EQ(instantiateCrate(), 68.0f);
    EXPECT_EQ(prefabs->PrefabCount(), 1u);
}

TEST_F(HotReloadTest, BrokenFilesKeepTheOldVersionAndSayWhy) {
    const Graphics::Clip* walk = assets->findRegistry<Graphics::Clip>()->get(hashName("Walk"));
    const struct {
        const char* file;
        std::string text;
        const char* reason;
    } broken[] = {
        {"Scripts/Mover.lua", "function onInit( end", "[LUA ERROR] : [string \"LuaScript\"]:2:"},
        {"Prefabs/Crate.json", crate("4"), "component.types[0].scaleX is the integer 4"},
        {"JSON/Walk.anim", clip("2"), "config.end is the integer 2"},
        {"JSON/Walk.animcontroller", controller("Run"),
         "animation state \"Walk\" names the clip \"Run\", which is not loaded"},
        {"Scenes/Level.json", R"({"Scene": )", "JSON: Parse error"},
    };
    for (const auto& file : broken)
        write(file.file, file.text);
    hotReload();
    for (const auto& file : broken)
        EXPECT_TRUE(
            logged.has(LOG_HIGH, std::string("could not reload ../Assets/") + file.file + ": " + file.reason))
            << file.file;
    EXPECT_TRUE(logged.contains("0 changed, 5 failed, 0 unchanged; the scene runs on as it is"));
    EXPECT_NE(states.getNext(), GS_RESTART);

    EXPECT_EQ(instantiateCrate(), 2.0f);
    EXPECT_TRUE(logged.has(LOG_HIGH, "mover v1"));
    ASSERT_NE(walking(), nullptr);
    EXPECT_EQ(walking()->clip, walk);
    EXPECT_EQ(walk->end, 1.0f);
}

} // namespace
