#pragma once

#include "ECS/System/ISystem.h"
#include "ECS/System/Systems/MenuEntities.h"
#include "ECS/System/Systems/MenuSettings.h"

#include <array>
#include <span>
#include <vector>

namespace Qel {

/// Drives the title screen: binds the title scene's menu entities by name, shows and hides them
/// as panels, starts the game or the credits, quits, and opens a settings panel built from
/// kSettingsFile (the pause menu's volume and display settings). It listens for its "m..." and
/// title messages on the broadcast receiver. Its TypeName text is "MainMenuManager".
class MainMenuManager : public ISystem {
public:
    /// The title scene, where the game starts and where leaving a level returns.
    static constexpr const char* kTitleScene = "../Assets/Scenes/MainMenu.json";
    static constexpr const char* kSettingsFile = "../Assets/PauseData/SettingsMenu.json";

    /// The title scene's entities, bound by the exact names of kSlotNames.
    enum Slot : size_t {
        // Main buttons.
        PlayButton,
        HowToPlayButton,
        SettingsButton,
        CreditsButton,
        QuitButton,
        // Controls panel.
        HowToPlayPage,
        HowToPlayCancel,
        // Quit confirmation.
        Overlay,
        QuitPage,
        QuitConfirm,
        QuitCancel,
        SlotCount
    };
    static const std::array<const char*, SlotCount> kSlotNames;

    ~MainMenuManager() override;

    /// Empty signature (the title scene is found by name); listens for the menu's messages.
    void Load() override;
    /// Forgets the settings panel of an earlier scene and binds the slots by scanning the scene.
    void Initialize() override;
    /// Escape or Backspace (a pad's B) goes back: out of the open panel, or to the quit
    /// confirmation from the main buttons.
    void Update(float) override;
    /// The signature is empty, so every id would match: the menu keeps no entity set.
    void EntitySignatureChanged(Entity) override {}
    void Unload() override;

    /// Runs the action of a menu message (by name hash); unknown hashes do nothing.
    void handle(uint64_t messageHash);
    /// The names of the messages the menu listens for.
    static std::vector<const char*> messageNames();

    Entity slot(Slot which) const { return slots[which]; }
    const SettingsView& settingsView() const { return settings; }
    const MenuEntities& settingsEntities() const { return settingsPanel; }
    bool hasUnsavedSettings() const { return mainSettingsChanged; }

private:
    struct Action;
    static const Action kActions[];

    std::span<const Entity> group(size_t first, size_t end) const;
    void showMainButtons(bool shown);
    void changeScene(const char* scene);
    void openSettings();
    void closeSettings();
    void checkForChanges();
    void settingChanged() { mainSettingsChanged = true; }
    void finishSettings(bool apply);
    void goBack();

    std::array<Entity, SlotCount> slots;
    MenuEntities settingsPanel;
    SettingsView settings;
    bool mainSettingsChanged = false;
};

} // namespace Qel
