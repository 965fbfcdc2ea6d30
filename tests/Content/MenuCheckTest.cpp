// Checks the shipped menus against the code that drives them: every button's message has a
// handler, every slot a menu binds names an entity of its file, every sound a menu plays exists,
// and the menu files build without complaint.
#include "../ECS/Prefab/SceneTestWorld.h"

#include "ECS/Components/Button.h"
#include "ECS/System/Systems/ButtonSystem.h"
#include "ECS/System/Systems/MainMenuManager.h"
#include "ECS/System/Systems/MenuEntities.h"
#include "ECS/System/Systems/MenuMessages.h"
#include "ECS/System/Systems/PauseMenuManager.h"

#include <gmock/gmock.h>

#include <fstream>
#include <set>
#include <vector>

using namespace Qel;
namespace fs = std::filesystem;

namespace {

const fs::path kAssets = fs::path(QEL_SOURCE_DIR) / "Assets";

class MenuCheckTest : public SceneWorldTest {
protected:
    void SetUp() override {
        SceneWorldTest::SetUp();
        log->setAddPriority(LOG_MED);
        log->setEchoPriority(LOG_MED);
        prefabs->LoadAllPrefabs(kAssets / "Prefabs");
        logged.take();
    }

    /// Builds a menu file or a scene; the names of what was built.
    std::multiset<std::string> build(const std::string& file) {
        if (file.starts_with("PauseData/")) {
            EXPECT_TRUE(menu.open(kAssets / file)) << file;
        } else {
            JSON doc;
            EXPECT_TRUE(scenes->setNextScene(kAssets / file) && scenes->getScene(doc) &&
                        scenes->loadScene(doc));
        }
        for (const auto& [level, text] : logged.lines())
            if (level != test::LogSink::kUntagged && level <= LOG_MED) problems.push_back(file + ": " + text);
        logged.take();
        std::multiset<std::string> names;
        for (Entity entity : sceneEntities)
            names.insert(entities->GetInfo(entity)->name);
        return names;
    }

    MenuEntities menu;
    std::vector<std::string> problems;
};

TEST_F(MenuCheckTest, ButtonsSendHandledMessagesAndMenusFindTheirSlots) {
    std::set<std::string> handled;
    for (const auto& names : {PauseMenuManager::messageNames(), MainMenuManager::messageNames()})
        handled.insert(names.begin(), names.end());

    std::vector<const char*> pauseSlots(PauseMenuManager::kSlotNames.begin(),
                                        PauseMenuManager::kSlotNames.end());
    pauseSlots.insert(pauseSlots.end(), SettingsView::kNames.begin(), SettingsView::kNames.end());
    const std::vector<const char*> settingsSlots(SettingsView::kNames.begin(), SettingsView::kNames.end());
    const std::vector<const char*> titleSlots(MainMenuManager::kSlotNames.begin(),
                                              MainMenuManager::kSlotNames.end());
    const std::vector<const char*> none;
    const std::pair<const char*, const std::vector<const char*>*> files[] = {
        {"PauseData/PauseMenu.json", &pauseSlots},
        {"PauseData/SettingsMenu.json", &settingsSlots},
        {"Scenes/MainMenu.json", &titleSlots},
        {"Scenes/Credits.json", &none},
    };
    EXPECT_EQ(pauseSlots.size(), 40u);
    for (const auto& [file, slots] : files) {
        const std::multiset<std::string> names = build(file);
        for (Entity entity : sceneEntities) {
            if (!has<Button>(entity)) continue;
            const std::string& message = get<Button>(entity).OnClick;
            if (!handled.contains(message))
                problems.push_back(std::string(file) + " " + entities->GetInfo(entity)->name +
                                   ": nobody handles \"" + message + "\"");
        }
        for (const char* slot : *slots)
            if (names.count(slot) != 1)
                problems.push_back(std::string(file) + ": slot " + slot + " not bound once");
        menu.forget();
        DestroyAllSceneEntities();
    }
    EXPECT_THAT(problems, testing::IsEmpty());
}

TEST_F(MenuCheckTest, EverySoundAMenuPlaysExists) {
    for (const char* sound : {ButtonSystem::kClickSound, kTabSound})
        EXPECT_TRUE(fs::is_regular_file(kAssets / "Audio" / (std::string(sound) + ".ogg"))) << sound;
}

} // namespace
