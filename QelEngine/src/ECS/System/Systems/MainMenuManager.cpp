#include "ECS/System/Systems/MainMenuManager.h"

#include "ECS/SceneEntities.h"
#include "ECS/System/Systems/MenuMessages.h"
#include "QelCore/GameStateManager.h"
#include "QelCore/Input.h"
#include "QelSceneManager/QelSceneManager.h"
#include "data/NameHash.h"

#include <GLFW/glfw3.h>

#include <vector>

namespace Qel {

namespace {

// The system whose Load ran last: the message handlers are plain functions.
MainMenuManager* activeMenu = nullptr;

void onMenuMessage(Message& message) {
    if (activeMenu) activeMenu->handle(message.hash);
}

} // namespace

const std::array<const char*, MainMenuManager::SlotCount> MainMenuManager::kSlotNames = {
    "PlayButton", "mHowToPlayButton",  "mSettingsButton",        "CreditsButton",
    "QuitButton", "mHowToPlayPage",    "mHowToPlayCancelButton", "Overlay",
    "QuitPage",   "QuitConfirmButton", "QuitCancelButton"};

struct MainMenuManager::Action {
    const char* message;
    void (*run)(MainMenuManager& menu);
};

const MainMenuManager::Action MainMenuManager::kActions[] = {
    {"Play", [](MainMenuManager& m) { m.changeScene("../Assets/Scenes/Introlevel_Scripted.json"); }},
    {"openCredits", [](MainMenuManager& m) { m.changeScene("../Assets/Scenes/Credits.json"); }},
    {"OpenControls",
     [](MainMenuManager& m) { showSlots(m.group(HowToPlayPage, Overlay), true), m.showMainButtons(false); }},
    {"CloseControls",
     [](MainMenuManager& m) { showSlots(m.group(HowToPlayPage, Overlay), false), m.showMainButtons(true); }},
    {"Quit",
     [](MainMenuManager& m) { showSlots(m.group(Overlay, SlotCount), true), m.showMainButtons(false); }},
    {"ConfirmQuit", [](MainMenuManager& m) { setNextGameState(GS_QUIT), m.settingsPanel.close(); }},
    {"CancelQuit",
     [](MainMenuManager& m) { showSlots(m.group(Overlay, SlotCount), false), m.showMainButtons(true); }},
    {"mOpenSettings", [](MainMenuManager& m) { m.openSettings(); }},
    {"mOpenSettingsMain",
     [](MainMenuManager& m) { m.mainSettingsChanged = false, refreshSettingsView(m.settings); }},
    {"mCloseSettings", [](MainMenuManager& m) { m.closeSettings(); }},
    {"mCheckForChangesVolumesPause", [](MainMenuManager& m) { m.checkForChanges(); }},
    {"mIncreaseMaster",
     [](MainMenuManager& m) {
         stepVolume(m.settings, VolumeChannel::Master, kVolumeStep), m.settingChanged();
     }},
    {"mIncreaseSFX",
     [](MainMenuManager& m) { stepVolume(m.settings, VolumeChannel::SFX, kVolumeStep), m.settingChanged(); }},
    {"mIncreaseBGM",
     [](MainMenuManager& m) { stepVolume(m.settings, VolumeChannel::BGM, kVolumeStep), m.settingChanged(); }},
    {"mIncreaseMFX",
     [](MainMenuManager& m) { stepVolume(m.settings, VolumeChannel::MFX, kVolumeStep), m.settingChanged(); }},
    {"mDecreaseMaster",
     [](MainMenuManager& m) {
         stepVolume(m.settings, VolumeChannel::Master, -kVolumeStep), m.settingChanged();
     }},
    {"mDecreaseSFX",
     [](MainMenuManager& m) {
         stepVolume(m.settings, VolumeChannel::SFX, -kVolumeStep), m.settingChanged();
     }},
    {"mDecreaseBGM",
     [](MainMenuManager& m) {
         stepVolume(m.settings, VolumeChannel::BGM, -kVolumeStep), m.settingChanged();
     }},
    {"mDecreaseMFX",
     [](MainMenuManager& m) {
         stepVolume(m.settings, VolumeChannel::MFX, -kVolumeStep), m.settingChanged();
     }},
    {"mToggleMaster",
     [](MainMenuManager& m) { toggleMute(m.settings, VolumeChannel::Master), m.settingChanged(); }},
    {"mToggleSFX",
     [](MainMenuManager& m) { toggleMute(m.settings, VolumeChannel::SFX), m.settingChanged(); }},
    {"mToggleBGM",
     [](MainMenuManager& m) { toggleMute(m.settings, VolumeChannel::BGM), m.settingChanged(); }},
    {"mToggleMFX",
     [](MainMenuManager& m) { toggleMute(m.settings, VolumeChannel::MFX), m.settingChanged(); }},
    {"mToggleResolution", [](MainMenuManager& m) { toggleDisplayMode(m.settings), m.settingChanged(); }},
    {"mApplySettings", [](MainMenuManager& m) { m.finishSettings(true); }},
    {"mRejectSettings", [](MainMenuManager& m) { m.finishSettings(false); }},
};

MainMenuManager::~MainMenuManager() {
    if (activeMenu == this) activeMenu = nullptr;
}

void MainMenuManager::Load() {
    activeMenu = this;
    slots.fill(MAX_ENTITIES);
    listenOnBroadcast(messageNames(), onMenuMessage);
}

void MainMenuManager::Initialize() {
    settingsPanel.forget();
    settings = SettingsView{};
    mainSettingsChanged = false;
    const std::vector<Entity> scene(sceneEntities.begin(), sceneEntities.end());
    bindSlots(kSlotNames, slots, scene);
}

void MainMenuManager::Unload() {
    settingsPanel.forget();
    settings = SettingsView{};
    slots.fill(MAX_ENTITIES);
}

void MainMenuManager::Update(float) {
    // Only the title scene binds the main buttons; other scenes have their own ways back.
    if (slots[PlayButton] == MAX_ENTITIES) return;
    if (isKeyTriggered(GLFW_KEY_ESCAPE) || isKeyTriggered(GLFW_KEY_BACKSPACE)) goBack();
}

void MainMenuManager::goBack() {
    const char* message = "Quit";
    if (settingsPanel.isOpen()) {
        message = "mCheckForChangesVolumesPause";
    } else if (isShown(slots[HowToPlayPage])) {
        message = "CloseControls";
    } else if (isShown(slots[QuitPage])) {
        message = "CancelQuit";
    }
    handle(hashName(message));
}

std::vector<const char*> MainMenuManager::messageNames() {
    std::vector<const char*> names;
    for (const Action& action : kActions)
        names.push_back(action.message);
    return names;
}

void MainMenuManager::handle(uint64_t messageHash) {
    for (const Action& action : kActions) {
        if (hashName(action.message) == messageHash) {
            action.run(*this);
            return;
        }
    }
}

std::span<const Entity> MainMenuManager::group(size_t first, size_t end) const {
    return std::span(slots).subspan(first, end - first);
}

void MainMenuManager::showMainButtons(bool shown) {
    showSlots(group(PlayButton, HowToPlayPage), shown);
}

void MainMenuManager::changeScene(const char* scene) {
    SceneManager* scenes = SceneManager::instance();
    if (scenes && scenes->setNextScene(scene)) setNextGameState(GS_RESTART);
    settingsPanel.close();
    settings = SettingsView{};
}

void MainMenuManager::openSettings() {
    if (!settingsPanel.open(kSettingsFile)) return;
    bindSlots(SettingsView::kNames, settings.slots, settingsPanel.entities());
    handle(hashName("mOpenSettingsMain"));
    showMainButtons(false);
}

void MainMenuManager::closeSettings() {
    settingsPanel.close();
    settings = SettingsView{};
    // Without the main buttons the title would be a dead end.
    showMainButtons(true);
}

void MainMenuManager::checkForChanges() {
    if (mainSettingsChanged) {
        showUnsavedConfirmation(settings, settingsPanel.entities());
    } else {
        closeSettings();
    }
}

void MainMenuManager::finishSettings(bool apply) {
    if (apply) {
        writeSettingsToConfig();
    } else {
        readSettingsFromConfig();
    }
    mainSettingsChanged = false;
    closeSettings();
}

} // namespace Qel
