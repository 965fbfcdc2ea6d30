#pragma once

#include "ECS/System/ISystem.h"
#include "ECS/System/Systems/MenuEntities.h"
#include "ECS/System/Systems/MenuSettings.h"

#include <array>
#include <span>
#include <vector>

namespace Qel {

/// True while the pause menu is open; false at start and whenever a scene starts.
extern bool paused;

/// The in-game pause menu. Escape, in a scene holding a PauseMenuManagerComponent entity, builds
/// the menu from kMenuFile, pauses the game and muffles its sound; Escape again (or a closing
/// button) discards unapplied settings and destroys the menu's entities, and only those. The
/// buttons talk to it through broadcast messages. Its TypeName text is "PauseMenuManager".
class PauseMenuManager : public ISystem {
public:
    static constexpr const char* kMenuFile = "../Assets/PauseData/PauseMenu.json";

    /// The menu's own slots, named in kSlotNames; the shared settings entities are in `settings`.
    enum Slot : size_t {
        // Pause panel: the first is the tab marker.
        TabPanel,
        Overlay,
        Title,
        // Option buttons.
        ControlsTab,
        SettingsTab,
        TitleQuitTab,
        DesktopQuitTab,
        // Controls panel.
        ControlsPage,
        ControlsBack,
        // The volumes panel besides the shared settings entities.
        MasterDown,
        MasterUp,
        SFXDown,
        SFXUp,
        BGMDown,
        BGMUp,
        MFXDown,
        MFXUp,
        SettingsApply,
        SettingsBack,
        // The two quit confirmations: the first of each is placed at kPanelX.
        TitleQuitPanel,
        TitleQuitText,
        TitleQuitConfirm,
        TitleQuitCancel,
        DesktopQuitPanel,
        DesktopQuitText,
        DesktopQuitConfirm,
        DesktopQuitCancel,
        SlotCount
    };
    static const std::array<const char*, SlotCount> kSlotNames;
    /// Where the tab marker and the confirmations sit, in UI reference units.
    static constexpr float kPanelX = 725.0f;

    ~PauseMenuManager() override;

    /// Sets the signature {PauseMenuManagerComponent} and listens for the menu's 28 messages.
    void Load() override;
    /// Every slot empty, `paused` false, no menu entities (a new scene owns whatever ids it held).
    void Initialize() override;
    /// Escape opens or closes the menu.
    void Update(float dt) override;
    void EntitySignatureChanged(Entity entity) override { DefaultEntityTest(entity); }
    void Unload() override;

    /// Runs the action of a menu message (by name hash); unknown hashes do nothing.
    void handle(uint64_t messageHash);
    /// The names of the messages the menu listens for.
    static std::vector<const char*> messageNames();

    Entity slot(Slot which) const { return slots[which]; }
    const SettingsView& settingsView() const { return settings; }
    const MenuEntities& menuEntities() const { return menu; }
    bool hasUnsavedSettings() const { return settingsChanged; }

private:
    struct Action;
    static const Action kActions[];

    void open();
    void close();
    /// Escape in the open menu: unapplied settings discarded, the menu closed.
    void leave();
    /// Backspace (a pad's B): out of the controls or the volumes panel, else out of the menu.
    void goBack();
    void pauseGame();
    void switchTab();
    void openOptions();
    void showControls(bool shown);
    void openVolumes();
    void closeVolumes();
    void checkForChanges();
    void settingChanged() { settingsChanged = true; }
    void finishSettings(bool apply);
    void openQuit(size_t firstSlot);
    void confirmQuitTitle();

    std::span<const Entity> group(size_t first, size_t end) const;
    void placeAtPanelX(Entity entity);

    MenuEntities menu;
    std::array<Entity, SlotCount> slots;
    SettingsView settings;
    bool settingsChanged = false;
};

} // namespace Qel
