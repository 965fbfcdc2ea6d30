#include "../ECS/Prefab/SceneTestWorld.h"
#include "Files.h"

#include "Physics/Circle.h"
#include "Physics/Rect2D.h"

#include <vector>

using namespace Qel;

namespace {

/// The u64 argument of every "loopBGM" and "setCursor" message delivered, in order.
std::vector<uint64_t> musicKeys;
std::vector<uint64_t> cursorKeys;

void keepArgument(Message& message, std::vector<uint64_t>& into) {
    if (auto* args = message.argsAs<uint64_t>()) into.push_back(std::get<0>(*args));
}

class SceneManagerTest : public SceneWorldTest<> {
protected:
    void SetUp() override {
        SceneWorldTest::SetUp();
        musicKeys.clear();
        cursorKeys.clear();
        messages->getReceiver(hashName("AudioManager"))
            ->addHandler(hashName("loopBGM"), [](Message& message) { keepArgument(message, musicKeys); });
        messages->getReceiver(hashName("WindowHandler"))
            ->addHandler(hashName("setCursor"), [](Message& message) { keepArgument(message, cursorKeys); });
    }

    /// Loads the prefab folder, then the scene file.
    bool loadFile(const std::string& file) {
        prefabs->LoadAllPrefabs();
        return loadScene("../Assets/Scenes/" + file);
    }

    bool loadText(const std::string& text) {
        JSON doc = test::parseJson(text);
        return scenes->loadScene(doc);
    }
};

TEST_F(SceneManagerTest, NextSceneMustBeAnExistingFile) {
    EXPECT_FALSE(scenes->setNextScene("../Assets/Scenes/Nowhere.json"));
    EXPECT_FALSE(scenes->setNextScene("../Assets/Scenes"));
    EXPECT_FALSE(scenes->isSceneChangeRequested());

    JSON doc;
    EXPECT_FALSE(scenes->getScene(doc));
    EXPECT_NE(logged.take().find("[HIGH] next scene file path is invalid"), std::string::npos);

    ASSERT_TRUE(scenes->setNextScene("../Assets/Scenes/Minimal.json"));
    EXPECT_TRUE(scenes->isSceneChangeRequested());
    EXPECT_TRUE(scenes->getScene(doc));
    EXPECT_FALSE(scenes->isSceneChangeRequested());
    EXPECT_EXIT(scenes->getScene(doc), testing::ExitedWithCode(187),
                "Attempting to getScene into already parsed JSON");
}

TEST_F(SceneManagerTest, LevelBuildsPrefabInstancesAndTheNextSceneStartsClean) {
    ASSERT_TRUE(loadFile("Level.json"));
    const std::string output = logged.take();

    // The override replaces the prefab's Transform as a whole: unset keys take the defaults.
    const Entity moved = named("MovedCrate");
    ASSERT_NE(moved, MAX_ENTITIES);
    const Transform& transform = get<Transform>(moved);
    EXPECT_EQ(transform.position, glm::vec3(5.0f, 0.0f, 0.0f));
    EXPECT_EQ(transform.scale, glm::vec3(1.0f));
    // The prefab's 2 x 2 box now sits around the new position.
    const auto& box = static_cast<const Rect2D&>(*get<ColliderPtr>(moved).collider);
    EXPECT_EQ(box.min, glm::vec2(4.0f, -1.0f));
    EXPECT_EQ(box.max, glm::vec2(6.0f, 1.0f));

    const Entity loot = named("LootCrate");
    ASSERT_NE(loot, MAX_ENTITIES);
    EXPECT_EQ(entities->GetInfo(loot)->tag, "Loot");
    EXPECT_TRUE(entities->IsDisabled(loot));
    EXPECT_EQ(get<Transform>(loot).position, glm::vec3(1.0f, 2.0f, 0.0f));

    // No "components": built, then destroyed.
    EXPECT_EQ(named("Ghost"), MAX_ENTITIES);
    EXPECT_NE(output.find("[HIGH] unable to get components\nObject Deleted\n"), std::string::npos);

    const Entity lantern = named("Lantern");
    ASSERT_NE(lantern, MAX_ENTITIES);
    EXPECT_EQ(get<Light>(lantern).intensity, 2.0f);
    EXPECT_EQ(get<ColliderPtr>(lantern).collider->position, glm::vec2(-2.0f, 1.0f));
    EXPECT_NE(output.find("Unknown component \"Teleporter\""), std::string::npos);

    EXPECT_EQ(named("NotThere"), MAX_ENTITIES);
    EXPECT_NE(output.find("Prefab \"Missing\" does not exist"), std::string::npos);

    const Entity pause = named("Pause");
    const Entity title = named("Title");
    ASSERT_NE(pause, MAX_ENTITIES);
    EXPECT_TRUE(has<PauseMenuManagerComponent>(pause));

    // Instances enter the world list when made and are not listed again by the loader.
    const std::vector<EntityHandle> world{{moved, true}, {loot, true}, {lantern, true}, {pause, true}};
    EXPECT_EQ(scenes->drawLists.worldEntities(), world);
    const std::vector<EntityHandle> ui{{pause, true}, {title, true}};
    EXPECT_EQ(scenes->drawLists.uiEntities(), ui);
    EXPECT_EQ(probe->GetEntities(), (std::unordered_set<Entity>{moved, loot, lantern}));

    EXPECT_EQ(scenes->collisionLayers.getBits("Props"), 3u);

    EXPECT_TRUE(nodes->isLoaded());
    EXPECT_FLOAT_EQ(scenes->lighting.ambient.x, 0.2f);

    // Music and cursor are queued, not delivered at once; the next scene keeps what it does not set.
    EXPECT_TRUE(cursorKeys.empty() && musicKeys.empty());
    Qel::DestroyAllSceneEntities();
    ASSERT_TRUE(loadFile("Minimal.json"));
    messages->dispatchAll();
    EXPECT_EQ(musicKeys, std::vector<uint64_t>{hashName("Music/Cavern")});
    EXPECT_EQ(cursorKeys, (std::vector<uint64_t>{hashName("Crosshair"), hashName("Default")}));
    EXPECT_EQ(scenes->lighting.ambient, glm::vec4(1.0f));
    EXPECT_TRUE(scenes->lighting.isLUT);
    EXPECT_EQ(scenes->lighting.lutName, "ColdLUT");
    // The previous scene's layers, grid and lists are gone.
    EXPECT_EQ(scenes->collisionLayers.getMask("Props"), 1u);
    EXPECT_FALSE(nodes->isLoaded());
    ASSERT_EQ(scenes->drawLists.worldEntities().size(), 1u);
    const Entity start = scenes->drawLists.worldEntities()[0].first;
    EXPECT_EQ(entities->GetInfo(start)->tag, "Waypoint");
    EXPECT_EQ(entities->LivingCount(), 1u);
}

TEST_F(SceneManagerTest, PrefabsWithoutShapesOrComponentsAreCompletedByTheScene) {
    ASSERT_TRUE(loadPrefab(R"({"name": "Ball", "component": {"types": []}})"));
    ASSERT_TRUE(loadPrefab(R"({"name": "Pill", "component": {"types": []}})"));
    // A prefab file without a "component" object is a name and a tag: spawn points are written so.
    ASSERT_TRUE(loadPrefab(R"({"name": "Spawn", "tag": "SpawnPoint"})"));
    prefabs->AddComponent(prefabs->FindPrefab("Ball")->prefabId, ColliderPtr(nullptr, "Circle"));
    prefabs->AddComponent(prefabs->FindPrefab("Pill")->prefabId, ColliderPtr(nullptr, "Capsule"));

    const std::string transform =
        R"({"name": "Transform", "positionX": 1.0, "positionY": 1.0, "scaleX": 3.0, "scaleY": 3.0})";
    const auto object = [](const std::string& prefab, const std::string& name, const std::string& overrides) {
        return R"({"prefab": ")" + prefab + R"(", "name": ")" + name + R"(", "components": [)" + overrides +
               "]}";
    };
    ASSERT_TRUE(loadText(R"({"Scene": {"gameObjects": [)" + object("Ball", "ball", transform) + ", " +
                         object("Pill", "pill", transform) + ", " + object("Pill", "loosePill", "") + ", " +
                         object("Spawn", "start", transform) + "]}}"));

    const auto& ball = static_cast<const Circle&>(*get<ColliderPtr>(named("ball")).collider);
    EXPECT_EQ(ball.radius, 3.0f);
    EXPECT_EQ(ball.position, glm::vec2(1.0f, 1.0f));
    // An unknown shape name cannot be built: the collider goes, the entity stays.
    EXPECT_FALSE(has<ColliderPtr>(named("pill")));
    EXPECT_TRUE(has<Transform>(named("pill")));
    EXPECT_EQ(logged.count("[HIGH] UNKNOWN COLLIDER TYPE ADDED \"Capsule\", REMOVING COLLIDER COMPONENT."),
              1u);
    // Without a Transform there is nothing to build the shape from.
    EXPECT_TRUE(has<ColliderPtr>(named("loosePill")));

    const Entity start = named("start");
    ASSERT_NE(start, MAX_ENTITIES);
    EXPECT_EQ(entities->GetInfo(start)->tag, "SpawnPoint");
    EXPECT_EQ(get<Transform>(start).position.x, 1.0f);
    EXPECT_TRUE(probe->GetEntities().contains(start));
}

TEST_F(SceneManagerTest, MalformedScenesAreReportedAndNeverCrash) {
    EXPECT_FALSE(loadFile("Truncated.json"));
    JSON unparsed;
    EXPECT_FALSE(scenes->loadScene(unparsed));
    EXPECT_NE(logged.take().find("[HIGH] Unable to parse scene file"), std::string::npos);

    for (const char* text : {R"({"Scene": 5})", "[]", R"({"scene": {"gameObjects": []}})"}) {
        EXPECT_FALSE(loadText(text)) << text;
        EXPECT_NE(logged.take().find("[HIGH] No Scene found"), std::string::npos) << text;
    }
    EXPECT_FALSE(loadText(R"({"Scene": {"gameObjects": {"prefab": "Crate"}}})"));
    EXPECT_NE(logged.take().find("[HIGH] unable to get game objects array in scene file"), std::string::npos);
    EXPECT_EQ(entities->LivingCount(), 0u);
    // The cursor is chosen before the game objects are looked at.
    messages->dispatchAll();
    EXPECT_EQ(cursorKeys, std::vector<uint64_t>{hashName("Default")});
    cursorKeys.clear();

    // Every value of the wrong type: each is logged and left at its default.
    ASSERT_TRUE(loadFile("WrongTypes.json"));
    EXPECT_EQ(logged.count("Object Deleted"), 4u);
    ASSERT_EQ(entities->LivingCount(), 1u);
    const Entity odd = named("Odd");
    ASSERT_NE(odd, MAX_ENTITIES);
    EXPECT_FALSE(entities->IsDisabled(odd));
    EXPECT_EQ(scenes->lighting.ambient, glm::vec4(0.0f));
    EXPECT_FALSE(scenes->lighting.isLUT);
    EXPECT_FALSE(nodes->isLoaded());
    messages->dispatchAll();
    EXPECT_TRUE(musicKeys.empty());
    EXPECT_EQ(cursorKeys, std::vector<uint64_t>{hashName("Default")});
}

TEST_F(SceneManagerTest, GameObjectsPastTheEntityLimitAreLeftOutAndTheRestPlays) {
    std::string text = R"({"Scene": {"gameObjects": [)";
    for (int i = 0; i < 10000; ++i)
        text += std::string(i ? "," : "") + R"({"prefab": "Marker", "components": [{"name": "Transform"}]})";
    text += R"(], "lighting": {"ambientW": 0.5}}})";
    prefabs->LoadAllPrefabs();
    // Ten thousand objects' worth of LOW lines would only slow the test down.
    log->setEchoPriority(LOG_CRITICAL);
    log->setAddPriority(LOG_CRITICAL);

    EXPECT_TRUE(loadText(text));
    EXPECT_TRUE(logged.has(LOG_CRITICAL, "Entity limit reached: 7000 of the scene's 10000 game objects"));
    EXPECT_EQ(entities->LivingCount(), MAX_ENTITIES);
    EXPECT_EQ(scenes->drawLists.worldEntities().size(), MAX_ENTITIES);
    // The rest of the scene is still read.
    EXPECT_EQ(scenes->lighting.ambient.w, 0.5f);

    Qel::DestroyAllSceneEntities();
    EXPECT_EQ(entities->LivingCount(), 0u);
    EXPECT_TRUE(probe->GetEntities().empty());
}

} // namespace
