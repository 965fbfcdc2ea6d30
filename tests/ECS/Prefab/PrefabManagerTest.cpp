#include "SceneTestWorld.h"

#include <glm/gtc/epsilon.hpp>

#include <filesystem>
#include <fstream>
#include <set>

using namespace Qel;

namespace {

std::string prefabText(const std::string& name, const std::string& tag, const std::string& types = "") {
    return R"({"name": ")" + name + R"(", "tag": ")" + tag + R"(", "component": {"types": [)" + types + "]}}";
}

/// A fresh folder holding `count` valid prefab files; removed with the object.
struct PrefabFolder {
    explicit PrefabFolder(int count)
        : path(std::filesystem::path(testing::TempDir()) / ("prefabs" + std::to_string(count))) {
        std::filesystem::create_directories(path);
        for (int i = 0; i < count; ++i)
            std::ofstream(path / ("p" + std::to_string(i) + ".json"))
                << prefabText("p" + std::to_string(i), "t");
    }
    ~PrefabFolder() { std::filesystem::remove_all(path); }

    std::filesystem::path path;
};

using PrefabManagerTest = SceneWorldTest;

TEST_F(PrefabManagerTest, FolderLoadsEveryReadableFileAndSkipsBrokenOnes) {
    // Crate, Headless (no "component" object: a name and a tag), Marker, PauseMenu and
    // Props/Lamp.prefab load; Broken.json does not parse.
    EXPECT_EQ(prefabs->LoadAllPrefabs(), 5u);
    EXPECT_TRUE(logged.has(LOG_HIGH, "JSON: Parse error"));
    // PauseMenuManagerComponent and Wobble; "PauseMenuManager" is the file name of the marker.
    EXPECT_EQ(logged.count("[HIGH] Unknown component present in prefab"), 2u);

    std::set<PrefabId> ids;
    for (const char* name : {"Crate", "Headless", "Marker", "PauseMenu", "Lamp"}) {
        const PrefabRecord* record = prefabs->FindPrefab(name);
        ASSERT_NE(record, nullptr) << name;
        ids.insert(record->prefabId);
    }
    // The file that failed used no id.
    EXPECT_EQ(ids, (std::set<PrefabId>{0, 1, 2, 3, 4}));
    EXPECT_EQ(prefabs->FindPrefab("Broken"), nullptr);
    EXPECT_EQ(prefabs->FindPrefab("Headless")->tag, "Prop");
    EXPECT_TRUE(prefabs->GetSignature(prefabs->FindPrefab("Headless")->prefabId).none());
    EXPECT_TRUE(prefabs->HasComponent<PauseMenuManagerComponent>(prefabs->FindPrefab("PauseMenu")->prefabId));
    EXPECT_TRUE(prefabs->HasComponent<Light>(prefabs->FindPrefab("Lamp")->prefabId));
}

TEST_F(PrefabManagerTest, InstanceCopiesEveryComponentAndTheTag) {
    prefabs->LoadAllPrefabs();
    const PrefabId crateId = prefabs->FindPrefab("Crate")->prefabId;

    const EntityHandle crate = prefabs->Instantiate("Crate");
    ASSERT_TRUE(crate.second);
    EXPECT_EQ(entities->GetInfo(crate.first)->tag, "Prop");
    EXPECT_EQ(entities->GetInfo(crate.first)->name, "");
    EXPECT_EQ(get<SpriteRenderer>(crate.first).layerNum, 3);
    EXPECT_EQ(get<Layer>(crate.first).layerName, "Props");

    // Rotation 90 turns the x axis onto y: columns (0, sx), (-sy, 0), then the position.
    const glm::mat4& model = get<Transform>(crate.first).model;
    EXPECT_TRUE(glm::all(glm::epsilonEqual(model[0], glm::vec4(0.0f, 2.0f, 0.0f, 0.0f), 1e-5f)));
    EXPECT_TRUE(glm::all(glm::epsilonEqual(model[1], glm::vec4(-3.0f, 0.0f, 0.0f, 0.0f), 1e-5f)));
    EXPECT_EQ(model[3], glm::vec4(1.0f, 2.0f, 0.0f, 1.0f));

    // The instance owns its own shape, trigger flag included.
    const ColliderPtr& collider = get<ColliderPtr>(crate.first);
    ASSERT_NE(collider.collider, nullptr);
    EXPECT_NE(collider.collider.get(), prefabs->GetComponent<ColliderPtr>(crateId).collider.get());
    EXPECT_TRUE(collider.collider->isTrigger);
    EXPECT_EQ(collider.collider->getType(), ColliderType::Rect2D);

    EXPECT_TRUE(sceneEntities.contains(crate.first));
    EXPECT_TRUE(probe->GetEntities().contains(crate.first));
    ASSERT_EQ(scenes->drawLists.worldEntities().size(), 1u);
    EXPECT_EQ(scenes->drawLists.worldEntities()[0], crate);

    // An empty "types" array gives an entity with only the tag.
    const EntityHandle marker = prefabs->Instantiate("Marker");
    ASSERT_TRUE(marker.second);
    EXPECT_NE(marker.first, crate.first);
    EXPECT_EQ(entities->GetInfo(marker.first)->tag, "Waypoint");
    EXPECT_TRUE(entities->GetSignature(marker.first).none());
}

TEST_F(PrefabManagerTest, UnknownNameAndEntityLimitCreateNothing) {
    prefabs->LoadAllPrefabs();
    EXPECT_EQ(prefabs->Instantiate("Nope"), EntityHandle(MAX_ENTITIES, false));
    EXPECT_EQ(prefabs->FindPrefab("Nope"), nullptr);
    EXPECT_EQ(entities->LivingCount(), 0u);

    while (entities->LivingCount() < MAX_ENTITIES)
        entities->CreateEntity();
    EXPECT_EQ(prefabs->Instantiate("Crate"), EntityHandle(MAX_ENTITIES, false));
    EXPECT_TRUE(sceneEntities.empty());
    EXPECT_TRUE(scenes->drawLists.worldEntities().empty());
}

TEST_F(PrefabManagerTest, RefusedFilesUseNoIdAndIdsRunOutAfterSixtyFour) {
    ASSERT_TRUE(loadPrefab(prefabText("Door", "First", R"({"name": "Camera", "cameraZoom": 4.0})")));
    logged.take();
    EXPECT_FALSE(loadPrefab(prefabText("Door", "Second", R"({"name": "Camera", "cameraZoom": 8.0})")));
    EXPECT_NE(logged.take().find("[HIGH] Prefab \"Door\" is already loaded"), std::string::npos);
    const EntityHandle door = prefabs->Instantiate("Door");
    EXPECT_EQ(entities->GetInfo(door.first)->tag, "First");
    EXPECT_EQ(get<Camera>(door.first).cameraZoom, 4.0f);

    // The repeated name took no id; a file without "component" is a prefab and took one: 62 more fit.
    EXPECT_TRUE(loadPrefab(R"({"name": "NoParts", "tag": "x"})"));
    for (int i = 2; i < 64; ++i)
        ASSERT_TRUE(loadPrefab(prefabText("p" + std::to_string(i), "t"))) << i;
    logged.take();
    EXPECT_FALSE(loadPrefab(prefabText("p64", "t")));
    EXPECT_NE(logged.take().find("[CRITICAL] No free prefab id for \"p64\""), std::string::npos);
    EXPECT_EQ(prefabs->PrefabCount(), 64u);
}

TEST_F(PrefabManagerTest, SixtyFifthFileIsLeftOutWithOneCriticalLine) {
    const PrefabFolder exactly(64);
    EXPECT_EQ(prefabs->LoadAllPrefabs(exactly.path), 64u);
    EXPECT_EQ(logged.take().find("MAX PREFABS HIT"), std::string::npos);

    remove<PrefabManager>();
    PrefabManager fresh;
    forEachComponentType([&]<class T>() { prefabs->RegisterComponent<T>(); });
    const PrefabFolder tooMany(66);
    EXPECT_EQ(prefabs->LoadAllPrefabs(tooMany.path), 64u);
    EXPECT_EQ(logged.count("[CRITICAL] MAX PREFABS HIT, CONSIDER INCREASING LIMIT"), 1u);
    EXPECT_EQ(prefabs->PrefabCount(), 64u);
}

} // namespace
