#include "ECS/Component/RegisterComponents.h"
#include "ECS/ComponentManager.h"
#include "ECS/EntityManager.h"
#include "ECS/Prefab/PrefabManager.h"
#include "ECS/SceneEntities.h"
#include "ECS/System/SystemManager.h"
#include "GameStates/CommonState.h"
#include "GameStates/GameStateIds.h"
#include "GameStates/GameState_Scene.h"
#include "GameStates/GameState_Splash.h"
#include "GameStates/SplashSequence.h"
#include "QelCore/GameStateManager.h"
#include "QelCore/LogManager.h"
#include "QelRenderer/Texture.h"
#include "QelSceneManager/NodeManager.h"
#include "QelSceneManager/QelSceneManager.h"
#include "data/AssetManager.h"
#include "messaging/MessageManager.h"

#include <gtest/gtest.h>
#include <stb_image_write.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

/// Counts its lifecycle calls; matches every entity with a UITransform.
class StateProbe : public Qel::ISystem {
public:
    void Load() override {
        signature.set(Qel::ComponentManager::instance()->GetComponentType<Qel::UITransform>());
    }
    void Initialize() override { ++initializeCalls; }
    void Update(float) override { ++updateCalls; }
    void EntitySignatureChanged(Qel::Entity entity) override { DefaultEntityTest(entity); }

    int initializeCalls = 0;
    int updateCalls = 0;
};

int audioMessages = 0;
int unpauseMessages = 0;
void countAudio(Qel::Message&) {
    ++audioMessages;
}
void countUnpause(Qel::Message&) {
    ++unpauseMessages;
}

void noOperation() {}

/// The managers the two states use (no window: the renderer is absent), the game states registered
/// as the entry does, and a private asset tree the process works in ("../Assets" is
/// <tree>/Assets). Standard output, and with it the log, is captured.
class GameStatesTest : public testing::Test {
protected:
    void SetUp() override {
        tree = fs::path(std::getenv("XDG_DATA_HOME")) / "states-tree";
        fs::remove_all(tree);
        fs::create_directories(tree / "run");
        fs::create_directories(tree / "Assets" / "Scenes");
        fs::create_directories(tree / "Assets" / "Splash");
        originalDirectory = fs::current_path();
        fs::current_path(tree / "run");

        Qel::registerComponentTypes(*components, *prefabs);
        Qel::TypeName<StateProbe>::assign("StateProbe");
        probe = systems->RegisterSystem<StateProbe>();
        systems->LoadAll();
        gsSplashId = Qel::GameStateManager::addGameState(GS_COMMON::load, GS_SPLASH::init, GS_SPLASH::update,
                                                         noOperation, GS_COMMON::free, GS_COMMON::unload);
        gsSceneId = Qel::GameStateManager::addGameState(GS_COMMON::load, GS_SCENE::init, GS_SCENE::update,
                                                        noOperation, GS_COMMON::free, GS_COMMON::unload);
        states->setNext(gsSceneId);

        audioMessages = 0;
        unpauseMessages = 0;
        Qel::BroadcastReceiver* audio = messages->getReceiver(Qel::hashName("AudioManager"));
        for (const char* name :
             {"unpauseSFX", "unpauseBGM", "unpauseMFX", "unmuffleSFX", "unmuffleBGM", "unmuffleMFX"})
            audio->addHandler(Qel::hashName(name), countAudio);
        messages->getReceiver(Qel::MessageManager::kBroadcast)
            ->addHandler(Qel::hashName("UnPauseSystem"), countUnpause);
        testing::internal::CaptureStdout();
    }

    void TearDown() override {
        const std::string output = testing::internal::GetCapturedStdout();
        if (HasFailure()) std::cerr << output;
        GS_COMMON::free();
        fs::current_path(originalDirectory);
    }

    std::string takeOutput() {
        std::string text = testing::internal::GetCapturedStdout();
        testing::internal::CaptureStdout();
        return text;
    }

    void writeScene(const std::string& name, const std::string& text) {
        std::ofstream(tree / "Assets" / "Scenes" / name) << text;
    }

    /// A width x height opaque PNG registered as texture `name` (decoded now, no GL upload).
    void addTexture(const char* name, int width, int height) {
        const fs::path path = tree / "Assets" / "Splash" / (std::string(name) + ".png");
        const std::vector<uint8_t> pixels(static_cast<size_t>(width * height * 4), 255);
        ASSERT_NE(stbi_write_png(path.c_str(), width, height, 4, pixels.data(), width * 4), 0);
        assets->load<Qel::Texture>(name, path.c_str(), Qel::hashName(name));
    }

    template <class T> T& get(Qel::Entity entity) { return components->GetComponent<T>(entity); }

    fs::path tree;
    fs::path originalDirectory;
    std::unique_ptr<Qel::LogManager> log = std::make_unique<Qel::LogManager>();
    std::unique_ptr<Qel::MessageManager> messages = std::make_unique<Qel::MessageManager>();
    std::unique_ptr<Qel::GameStateManager> states = std::make_unique<Qel::GameStateManager>();
    std::unique_ptr<Qel::EntityManager> entities = std::make_unique<Qel::EntityManager>();
    std::unique_ptr<Qel::ComponentManager> components = std::make_unique<Qel::ComponentManager>();
    std::unique_ptr<Qel::SystemManager> systems = std::make_unique<Qel::SystemManager>();
    std::unique_ptr<Qel::PrefabManager> prefabs = std::make_unique<Qel::PrefabManager>();
    std::unique_ptr<Qel::AssetManager> assets = std::make_unique<Qel::AssetManager>();
    std::unique_ptr<Qel::SceneManager> scenes = std::make_unique<Qel::SceneManager>();
    std::unique_ptr<Qel::NodeManager> nodes = std::make_unique<Qel::NodeManager>();
    std::shared_ptr<StateProbe> probe;
};

TEST_F(GameStatesTest, BrokenSceneFilesSendTheGameBackToTheSplash) {
    writeScene("Truncated.json", R"({"Scene": {"gameObjects": [)");
    writeScene("NoScene.json", R"({"Level": {}})");
    for (const char* file : {"Truncated.json", "NoScene.json"}) {
        SCOPED_TRACE(file);
        states->setNext(gsSceneId);
        ASSERT_TRUE(scenes->setNextScene(fs::path("../Assets/Scenes") / file));
        GS_SCENE::init();
        EXPECT_NE(takeOutput().find("[CRITICAL] Could not load next scene! Soft restarting!"),
                  std::string::npos);
        EXPECT_EQ(states->getNext(), gsSplashId);
    }
    // A failed scene is not started: no systems initialised, no audio resumed.
    messages->dispatchAll();
    EXPECT_EQ(probe->initializeCalls, 0);
    EXPECT_EQ(audioMessages, 0);
    EXPECT_EQ(unpauseMessages, 0);
}

TEST_F(GameStatesTest, LoadedSceneStartsTheSystemsAndResumesAudio) {
    writeScene("Empty.json", R"({"Scene": {"gameObjects": []}})");
    ASSERT_TRUE(scenes->setNextScene("../Assets/Scenes/Empty.json"));
    GS_SCENE::init();

    EXPECT_EQ(states->getNext(), gsSceneId);
    EXPECT_EQ(probe->initializeCalls, 1);
    // The broadcast un-pause is delivered at once; the six audio messages wait for the dispatch.
    EXPECT_EQ(unpauseMessages, 1);
    EXPECT_EQ(audioMessages, 0);
    messages->dispatchAll();
    EXPECT_EQ(audioMessages, 6);
}

TEST_F(GameStatesTest, SplashBuildsItsThreeEntitiesAndFreeDestroysThem) {
    writeScene("MainMenu.json", R"({"Scene": {"gameObjects": []}})");
    addTexture("OrgLogo", 64, 32);
    GS_SPLASH::init();

    EXPECT_EQ(scenes->getNextScenePath(), fs::path("../Assets/Scenes/MainMenu.json"));
    EXPECT_EQ(probe->initializeCalls, 1);
    EXPECT_EQ(unpauseMessages, 1);

    const Qel::Entity logo = GS_SPLASH::splashImageGO;
    const Qel::Entity loading = GS_SPLASH::splashTextGO;
    const Qel::Entity attribution = GS_SPLASH::splashCopyrightGO;
    EXPECT_EQ(Qel::sceneEntities, (std::unordered_set<Qel::Entity>{logo, loading, attribution}));
    std::vector<Qel::EntityHandle> listed = scenes->drawLists.uiEntities();
    ASSERT_EQ(listed.size(), 3u);
    EXPECT_EQ(listed[0].first, logo);
    EXPECT_EQ(probe->GetEntities().size(), 3u);

    // The logo is sized to its texture's pixels and shows it.
    EXPECT_EQ(get<Qel::UITransform>(logo).width, 64.0f);
    EXPECT_EQ(get<Qel::UITransform>(logo).height, 32.0f);
    EXPECT_EQ(get<Qel::SpriteRenderer>(logo).texture,
              assets->findRegistry<Qel::Texture>()->get(Qel::hashName("OrgLogo")));
    EXPECT_EQ(get<Qel::Text>(loading).size, 40);
    EXPECT_EQ(get<Qel::Text>(loading).text, "Loading");
    EXPECT_EQ(get<Qel::Text>(attribution).size, 24);
    EXPECT_STREQ(get<Qel::Text>(attribution).text.c_str(), GS_SPLASH::kMakersNotice);
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
    EXPECT_NE(takeOutput().find("Splash logo texture \"OrgLogo\" is not loaded"), std::string::npos);
    EXPECT_EQ(get<Qel::SpriteRenderer>(GS_SPLASH::splashImageGO).texture, nullptr);
    EXPECT_EQ(get<Qel::UITransform>(GS_SPLASH::splashImageGO).width, 100.0f);
}

TEST_F(GameStatesTest, MissingTitleSceneStopsTheSplash) {
    EXPECT_EXIT(GS_SPLASH::init(), testing::ExitedWithCode(187), "Main Menu scene does not exist!");
}

} // namespace
