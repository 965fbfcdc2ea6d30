#include "../ECS/Prefab/SceneTestWorld.h"
#include "../Game/GameStates.h"
#include "GameStates/SplashSequence.h"
#include "QelRenderer/Texture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

int audioMessages = 0;
int unpauseMessages = 0;

/// The managers the two states use (no window: the renderer is absent), the game states registered
/// as the entry does, and a private asset tree the process works in ("../Assets" is
/// <tree>/Assets). The log is recorded.
class GameStatesTest : public SceneWorldTest<Qel::UITransform> {
protected:
    void SetUp() override {
        for (const char* folder : {"Assets/Scenes", "Assets/Splash"})
            fs::create_directories(tree / folder);
        tree.enter("run");
        SceneWorldTest::SetUp();
        Qel::test::registerGameStates();
        states->setNext(gsSceneId);

        audioMessages = 0;
        unpauseMessages = 0;
        Qel::BroadcastReceiver* audio = messages->getReceiver(Qel::hashName("AudioManager"));
        for (const char* name :
             {"unpauseSFX", "unpauseBGM", "unpauseMFX", "unmuffleSFX", "unmuffleBGM", "unmuffleMFX"})
            audio->addHandler(Qel::hashName(name), [](Qel::Message&) { ++audioMessages; });
        messages->getReceiver(Qel::MessageManager::kBroadcast)
            ->addHandler(Qel::hashName("UnPauseSystem"), [](Qel::Message&) { ++unpauseMessages; });
    }

    void TearDown() override { GS_COMMON::free(); }

    void writeScene(const std::string& name, const std::string& text) {
        Qel::test::writeText(tree / "Assets" / "Scenes" / name, text);
    }

    /// A width x height opaque PNG registered as texture `name` (decoded now, no GL upload).
    void addTexture(const char* name, int width, int height) {
        const fs::path path = tree / "Assets" / "Splash" / (std::string(name) + ".png");
        Qel::test::writePng(path, width, height, 4,
                            std::vector<uint8_t>(static_cast<size_t>(width * height * 4), 255));
        assets->load<Qel::Texture>(name, path.c_str(), Qel::hashName(name));
    }

    Qel::test::Sandbox tree{"states-tree"};
    std::unique_ptr<Qel::GameStateManager> states = std::make_unique<Qel::GameStateManager>();
};

TEST_F(GameStatesTest, BrokenSceneFilesSendTheGameBackToTheSplashAndAGoodOneStartsTheSystems) {
    writeScene("Truncated.json", R"({"Scene": {"gameObjects": [)");
    writeScene("NoScene.json", R"({"Level": {}})");
    writeScene("Empty.json", R"({"Scene": {"gameObjects": []}})");
    for (const char* file : {"Truncated.json", "NoScene.json", "Empty.json"}) {
        SCOPED_TRACE(file);
        const bool good = file == std::string("Empty.json");
        states->setNext(gsSceneId);
        ASSERT_TRUE(scenes->setNextScene(fs::path("../Assets/Scenes") / file));
        GS_SCENE::init();
        EXPECT_EQ(logged.take().find("Could not load next scene! Soft restarting!") == std::string::npos,
                  good);
        EXPECT_EQ(states->getNext(), good ? gsSceneId : gsSplashId);
        // A failed scene is not started: no systems initialised, no audio resumed. The broadcast
        // un-pause is delivered at once; the six audio messages wait for the dispatch.
        EXPECT_EQ(probe->initializeCalls, good ? 1 : 0);
        EXPECT_EQ(unpauseMessages, good ? 1 : 0);
        EXPECT_EQ(audioMessages, 0);
        messages->dispatchAll();
        EXPECT_EQ(audioMessages, good ? 6 : 0);
    }
}

TEST_F(GameStatesTest, SplashBuildsItsThreeEntitiesAndFreeDestroysThem) {
    writeScene("MainMenu.json", R"({"Scene": {"gameObjects": []}})");
    addTexture("OrgLogo", 64, 32);
    GS_SPLASH::init();

    const Qel::Entity logo = GS_SPLASH::splashImageGO;
    const Qel::Entity loading = GS_SPLASH::splashTextGO;
    const Qel::Entity attribution = GS_SPLASH::splashCopyrightGO;
    EXPECT_EQ(Qel::sceneEntities, (std::unordered_set<Qel::Entity>{logo, loading, attribution}));
    EXPECT_EQ(scenes->drawLists.uiEntities().size(), 3u);

    // The logo is sized to its texture's pixels and shows it.
    EXPECT_EQ(get<Qel::UITransform>(logo).width, 64.0f);
    EXPECT_EQ(get<Qel::SpriteRenderer>(logo).texture,
              assets->findRegistry<Qel::Texture>()->get(Qel::hashName("OrgLogo")));
    // Laid out top to bottom: logo, loading line, attribution, all on screen.
    EXPECT_GT(get<Qel::UITransform>(logo).position.y, get<Qel::UITransform>(loading).position.y);
    EXPECT_GT(get<Qel::UITransform>(loading).position.y, get<Qel::UITransform>(attribution).position.y);
    EXPECT_GE(get<Qel::UITransform>(attribution).position.y - get<Qel::UITransform>(attribution).height / 2,
              -720.0f);

    // Without a bootstrap nothing is loading: the first update already offers to go on, and the
    // systems are updated.
    GS_SPLASH::update();
    EXPECT_EQ(get<Qel::Text>(loading).text, SplashSequence::kLoadingComplete);
    EXPECT_EQ(states->getNext(), gsSceneId);

    GS_COMMON::free();
    EXPECT_TRUE(Qel::sceneEntities.empty());
    EXPECT_EQ(entities->LivingCount(), 0u);
    EXPECT_TRUE(probe->GetEntities().empty());
}

TEST_F(GameStatesTest, MissingLogoTextureIsReportedNotDereferenced) {
    writeScene("MainMenu.json", R"({"Scene": {"gameObjects": []}})");
    GS_SPLASH::init();
    EXPECT_TRUE(logged.contains("Splash logo texture \"OrgLogo\" is not loaded"));
    EXPECT_EQ(get<Qel::SpriteRenderer>(GS_SPLASH::splashImageGO).texture, nullptr);
    EXPECT_EQ(get<Qel::UITransform>(GS_SPLASH::splashImageGO).width, 100.0f);
}

TEST_F(GameStatesTest, MissingTitleSceneStopsTheSplash) {
    EXPECT_EXIT(GS_SPLASH::init(), testing::ExitedWithCode(187), "Main Menu scene does not exist!");
}

} // namespace
