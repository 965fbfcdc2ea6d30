#include "SceneTestWorld.h"

#include <set>

using namespace Qel;

namespace {

std::string prefabText(const std::string& name, const std::string& tag, const std::string& types = "") {
    return R"({"name": ")" + name + R"(", "tag": ")" + tag + R"(", "component": {"types": [)" + types + "]}}";
}


using PrefabManagerTest = SceneWorldTest<>;

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
    EXPECT_EQ(get<SpriteRenderer>(crate.first).layerNum, 3);

    EXPECT_EQ(get<Transform>(crate.first).model[3], glm::vec4(1.0f, 2.0f, 0.0f, 1.0f));
    EXPECT_NE(get<ColliderPtr>(crate.first).collider.get(),
              prefabs->GetComponent<ColliderPtr>(crateId).collider.get());

    EXPECT_TRUE(sceneEntities.contains(crate.first) && probe->GetEntities().contains(crate.first));
    EXPECT_EQ(scenes->drawLists.worldEntities(), std::vector<EntityHandle>{crate});

    // An empty "types" array gives an entity with only the tag.
    const EntityHandle marker = prefabs->Instantiate("Marker");
    ASSERT_TRUE(marker.second);
    EXPECT_EQ(entities->GetInfo(marker.first)->tag, "Waypoint");
    EXPECT_TRUE(entities->GetSignature(marker.first).none());
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
    // Exactly 64 loaded: the limit is neither early nor late, and is reported once, not per file.
    test::Sandbox folder("prefabs66");
    for (int i = 0; i < 66; ++i)
        test::writeText(folder / ("p" + std::to_string(i) + ".json"),
                        prefabText("p" + std::to_string(i), "t"));
    EXPECT_EQ(prefabs->LoadAllPrefabs(folder.path()), 64u);
    EXPECT_EQ(logged.count("[CRITICAL] MAX PREFABS HIT, CONSIDER INCREASING LIMIT"), 1u);
}

} // namespace
