#include "ECS/System/Systems/PauseMenuManager.h"

#include "ECS/ComponentManager.h"
#include "ECS/Components/PauseMenuManagerComponent.h"
#include "ECS/Components/UITransform.h"
#include "ECS/System/Systems/MainMenuManager.h"
#include "ECS/System/Systems/MenuMessages.h"
#include "QelCore/GameStateManager.h"
#include "QelCore/Input.h"
#include "QelCore/StrongAssert.h"
#include "QelSceneManager/QelSceneManager.h"
#include "data/NameHash.h"
#include "messaging/MessageManager.h"

#include <GLFW/glfw3.h>

namespace Qel {

bool paused = false;

namespace {

// The system whose Load ran last: the message handlers are plain functions.
PauseMenuManager* activeMenu = nullptr;

void onMenuMessage(Message& message) {
    if (activeMenu) activeMenu->handle(message.hash);
}

} // namespace

const std::array<const char*, PauseMenuManager::SlotCount> PauseMenuManager::kSlotNames = {
    "PauseTabPanel",
    "PauseOverlay",
    "PauseTitle",
    "ControlsTabButton",
    "SettingsTabButton",
    "TitleQuitTabButton",
    "DesktopQuitTabButton",
    "ControlsPage",
    "ControlsBackButton",
    "MasterDownButton",
    "MasterUpButton",
    "SFXDownButton",
    "SFXUpButton",
    "BGMDownButton",
    "BGMUpButton",
    "MFXDownButton",
    "MFXUpButton",
    "SettingsApplyButton",
    "SettingsBackButton",
    "TitleQuitPanel",
    "TitleQuitText",
    "TitleQuitConfirmButton",
    "TitleQuitCancelButton",
    "DesktopQuitPanel",
    "DesktopQuitText",
    "DesktopQuitConfirmButton",
    "DesktopQuitCancelButton"};

struct PauseMenuManager::Action {
    const char* message;
    void (*run)(PauseMenuManager& menu);
};

const PauseMenuManager::Action PauseMenuManager::kActions[] = {
    {"PauseGame", [](PauseMenuManager& m) { m.pauseGame(); }},
    {"UnpauseGame", [](PauseMenuManager&) { paused = false; }},
    {"OpenOptions", [](PauseMenuManager& m) { m.openOptions(); }},
    {"OpenControlsPause", [](PauseMenuManager& m) { m.showControls(true); }},
    {"CloseControlsPause", [](PauseMenuManager& m) { m.showControls(false); }},
    {"OpenVolumesPause", [](PauseMenuManager& m) { m.openVolumes(); }},
    {"CloseVolumesPause", [](PauseMenuManager& m) { m.closeVolumes(); }},
    {"CheckForChangesVolumesPause", [](PauseMenuManager& m) { m.checkForChanges(); }},
    {"IncreaseMaster",
     [](PauseMenuManager& m) {
         stepVolume(m.settings, VolumeChannel::Master, kVolumeStep), m.settingChanged();
     }},
    {"IncreaseSFX",
     [](PauseMenuManager& m) {
         stepVolume(m.settings, VolumeChannel::SFX, kVolumeStep), m.settingChanged();
     }},
    {"IncreaseBGM",
     [](PauseMenuManager& m) {
         stepVolume(m.settings, VolumeChannel::BGM, kVolumeStep), m.settingChanged();
     }},
    {"IncreaseMFX",
     [](PauseMenuManager& m) {
         stepVolume(m.settings, VolumeChannel::MFX, kVolumeStep), m.settingChanged();
     }},
    {"DecreaseMaster",
     [](PauseMenuManager& m) {
         stepVolume(m.settings, VolumeChannel::Master, -kVolumeStep), m.settingChanged();
     }},
    {"DecreaseSFX",
     [](PauseMenuManager& m) {
         stepVolume(m.settings, VolumeChannel::SFX, -kVolumeStep), m.settingChanged();
     }},
    {"DecreaseBGM",
     [](PauseMenuManager& m) {
         stepVolume(m.settings, VolumeChannel::BGM, -kVolumeStep), m.settingChanged();
     }},
    {"DecreaseMFX",
     [](PauseMenuManager& m) {
         stepVolume(m.settings, VolumeChannel::MFX, -kVolumeStep), m.settingChanged();
     }},
    {"ToggleMaster",
     [](PauseMenuManager& m) { toggleMute(m.settings, VolumeChannel::Master), m.settingChanged(); }},
    {"ToggleSFX",
     [](PauseMenuManager& m) { toggleMute(m.settings, VolumeChannel::SFX), m.settingChanged(); }},
    {"ToggleBGM",
     [](PauseMenuManager& m) { toggleMute(m.settings, VolumeChannel::BGM), m.settingChanged(); }},
    {"ToggleMFX",
     [](PauseMenuManager& m) { toggleMute(m.settings, VolumeChannel::MFX), m.settingChanged(); }},
    {"ToggleResolution", [](PauseMenuManager& m) { toggleDisplayMode(m.settings), m.settingChanged(); }},
    {"ApplySettings", [](PauseMenuManager& m) { m.finishSettings(true); }},
    {"RejectSettings", [](PauseMenuManager& m) { m.finishSettings(false); }},
    {"OpenTitleQuit", [](PauseMenuManager& m) { m.openQuit(TitleQuitPanel); }},
    {"OpenDesktopQuit", [](PauseMenuManager& m) { m.openQuit(DesktopQuitPanel); }},
    {"ConfirmQuitTitle", [](PauseMenuManager& m) { m.confirmQuitTitle(); }},
    {"ConfirmQuitDesktop", [](PauseMenuManager&) { setNextGameState(GS_QUIT); }},
    {"CancelQuitPause", [](PauseMenuManager& m) { m.close(); }},
};

PauseMenuManager::~PauseMenuManager() {
    if (activeMenu == this) activeMenu = nullptr;
}

void PauseMenuManager::Load() {
    ComponentManager* components = ComponentManager::instance();
    QEL_ASSERT(components, "Component Manager not ready!");
    const ComponentType marker = components->GetComponentType<PauseMenuManagerComponent>();
    // An unregistered type has no bit; an empty signature would instead match every entity.
    QEL_ASSERT(marker < MAX_COMPONENTS, "PauseMenuManager needs the PauseMenuManagerComponent registered");
    signature = Signature{}.set(marker);
    activeMenu = this;
    listenOnBroadcast(messageNames(), onMenuMessage);
}

void PauseMenuManager::Initialize() {
    slots.fill(MAX_ENTITIES);
    settings = SettingsView{};
    menu.forget();
    paused = false;
}

void PauseMenuManager::Unload() {
    Initialize();
    entities.clear();
}

void PauseMenuManager::Update(float) {
    if (entities.empty()) return;
    if (paused && isKeyTriggered(GLFW_KEY_BACKSPACE)) {
        goBack();
    } else if (isKeyTriggered(GLFW_KEY_ESCAPE)) {
        if (paused) {
            leave();
        } else {
            open();
        }
    }
}

void PauseMenuManager::leave() {
    // Leaving by Escape discards what was not applied.
    finishSettings(false);
    close();
}

void PauseMenuManager::goBack() {
    if (isShown(slots[ControlsPage])) {
        showControls(false);
    } else if (isShown(settings.backdrop())) {
        checkForChanges();
    } else {
        leave();
    }
}

std::vector<const char*> PauseMenuManager::messageNames() {
    std::vector<const char*> names;
    for (const Action& action : kActions)
        names.push_back(action.message);
    return names;
}

void PauseMenuManager::handle(uint64_t messageHash) {
    for (const Action& action : kActions) {
        if (hashName(action.message) == messageHash) {
            action.run(*this);
            return;
        }
    }
}

void PauseMenuManager::open() {
    if (!menu.open(kMenuFile)) return;
    bindSlots(kSlotNames, slots, menu.entities());
    bindSlots(SettingsView::kNames, settings.slots, menu.entities());
    queueMessage("PauseGame", MessageManager::kBroadcast);
    queueMessage("PauseSystem", MessageManager::kBroadcast);
    queueMessage("muffleSFX", audioManagerKey());
    queueMessage("muffleBGM", audioManagerKey());
}

void PauseMenuManager::close() {
    queueMessage("UnpauseGame", MessageManager::kBroadcast);
    queueMessage("UnPauseSystem", MessageManager::kBroadcast);
    queueMessage("unmuffleSFX", audioManagerKey());
    queueMessage("unmuffleBGM", audioManagerKey());
    menu.close();
    slots.fill(MAX_ENTITIES);
    settings = SettingsView{};
    paused = false;
}

std::span<const Entity> PauseMenuManager::group(size_t first, size_t end) const {
    return std::span(slots).subspan(first, end - first);
}

void PauseMenuManager::placeAtPanelX(Entity entity) {
    ComponentManager* components = ComponentManager::instance();
    if (components && components->HasComponent<UITransform>(entity))
        components->GetComponent<UITransform>(entity).position.x = kPanelX;
}

void PauseMenuManager::pauseGame() {
    paused = true;
    showSlots(group(TabPanel, ControlsTab), true);
    switchTab();
    showSlots(group(ControlsTab, ControlsPage), true);
    placeAtPanelX(slots[TabPanel]);
}

void PauseMenuManager::switchTab() {
    playTabSound();
    showSlots(group(ControlsTab, SlotCount), false);
    showSlots(settings.slots, false);
}

void PauseMenuManager::openOptions() {
    switchTab();
    showSlots(group(ControlsTab, ControlsPage), true);
    placeAtPanelX(slots[TabPanel]);
}

void PauseMenuManager::showControls(bool shown) {
    showSlots(group(TabPanel, ControlsPage), !shown);
    showSlots(group(ControlsPage, MasterDown), shown);
}

void PauseMenuManager::openVolumes() {
    settingsChanged = false;
    refreshSettingsView(settings);
    // The volumes take the tab area beside the option buttons; another tab replaces them.
    showSlots(group(TitleQuitPanel, SlotCount), false);
    showSlots(group(MasterDown, TitleQuitPanel), true);
    showSlots(settings.panelEntities(), true);
}

void PauseMenuManager::closeVolumes() {
    showSlots(group(MasterDown, TitleQuitPanel), false);
    showSlots(settings.panelEntities(), false);
    showSlots(settings.unsavedConfirmation(), false);
    showSlots(group(TabPanel, ControlsPage), true);
}

void PauseMenuManager::checkForChanges() {
    if (settingsChanged) {
        showUnsavedConfirmation(settings, menu.entities());
    } else {
        closeVolumes();
    }
}

void PauseMenuManager::finishSettings(bool apply) {
    if (apply) {
        writeSettingsToConfig();
    } else {
        readSettingsFromConfig();
    }
    settingsChanged = false;
    showSlots(settings.unsavedConfirmation(), false);
    closeVolumes();
}

void PauseMenuManager::openQuit(size_t firstSlot) {
    switchTab();
    showSlots(group(firstSlot, firstSlot + 4), true);
    placeAtPanelX(slots[firstSlot]);
}

void PauseMenuManager::confirmQuitTitle() {
    SceneManager* scenes = SceneManager::instance();
    if (scenes && scenes->setNextScene(MainMenuManager::kTitleScene)) setNextGameState(GS_RESTART);
    close();
}

} // namespace Qel
