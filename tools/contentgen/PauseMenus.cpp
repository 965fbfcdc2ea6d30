// The menu data files under Assets/PauseData: the pause menu and the title's settings panel. Both
// share the settings rows (the same entity names bind the same slots), laid out on the
// 2560 x 1440 reference screen; the pause menu's panels sit right of its option buttons.
#include "ComponentJson.h"
#include "Content.h"
#include "MenuParts.h"

#include <string>

namespace ContentGen {

namespace {

/// The tab area right of the pause menu's option buttons, as wide as fits between x 725 and the
/// right edge of the screen.
constexpr double kTabX = 725.0;
constexpr UiBox kTabArea{kTabX, 0.0, 1080.0, 1100.0, 21};

/// How the two files name their messages: the title's carry an "m" in front.
struct SettingsMessages {
    std::string prefix;
    std::string apply, reject, back;
};

/// A mute toggle: the caption on the left of its box, the speaker icon on the right. The icon is
/// square, so the texture is stretched over the last square of the box (clamped to its
/// transparent left edge elsewhere).
JsonValue muteToggle(const std::string& name, const std::string& caption, double x, double y, int layer,
                     const std::string& onClick, bool hidden) {
    constexpr double width = 400.0, height = 96.0;
    const double squares = width / height;
    JsonValue icon = uiImage("Unmuted");
    icon.set("uvOffsetX", 1.0 - squares).set("uvOffsetY", 0.0).set("uvSizeX", squares).set("uvSizeY", 1.0);
    return gameObject("", name,
                      JsonValue::array()
                          .push(uiTransform({x, y, width, height, layer}))
                          .push(std::move(icon))
                          .push(button(onClick))
                          .push(text(caption, 40, palFloat(Pal::Bone), kMiddleLeft)),
                      hidden);
}

/// The settings rows centred on x: a backdrop with its heading, one row per volume (mute toggle,
/// down, percentage, up), the display mode, Apply and Back, and the unsaved-changes confirmation,
/// which starts hidden. The rest starts hidden when `hidden` (the pause menu shows it on demand).
void addSettings(JsonValue& objects, double x, int layer, const SettingsMessages& messages, bool hidden) {
    const std::string& m = messages.prefix;
    objects.push(panel("SettingsBackdrop", {x, 0.0, kTabArea.width, kTabArea.height, layer},
                       JsonValue::array().push(text("\nSettings", 56, palFloat(Pal::Flame), kTopCentre)),
                       hidden));
    struct Row {
        const char* key;
        const char* caption;
    };
    const Row rows[] = {{"Master", "Master"}, {"SFX", "Effects"}, {"BGM", "Music"}, {"MFX", "Menus"}};
    double y = 250.0;
    for (const Row& row : rows) {
        const std::string key = row.key;
        objects.push(
            muteToggle(key + "MuteToggle", row.caption, x - 290.0, y, layer + 1, m + "Toggle" + key, hidden));
        objects.push(menuButton(key + "DownButton", {x + 20.0, y, 112.0, 96.0, layer + 1}, "-",
                                m + "Decrease" + key, hidden, 56));
        objects.push(textBox(key + "VolumeLabel", {x + 180.0, y, 200.0, 96.0, layer + 1}, "60%", 40,
                             palFloat(Pal::Bone), kCentred, hidden));
        objects.push(menuButton(key + "UpButton", {x + 340.0, y, 112.0, 96.0, layer + 1}, "+",
                                m + "Increase" + key, hidden, 56));
        y -= 130.0;
    }
    objects.push(menuButton("DisplayModeButton", {x, y - 10.0, 560.0, 96.0, layer + 1}, "Windowed",
                            m + "ToggleResolution", hidden));
    objects.push(menuButton("SettingsApplyButton", {x - 220.0, -420.0, 400.0, 112.0, layer + 1}, "Apply",
                            messages.apply, hidden));
    objects.push(menuButton("SettingsBackButton", {x + 220.0, -420.0, 400.0, 112.0, layer + 1}, "Back",
                            messages.back, hidden));

    objects.push(panel(
        "UnsavedPanel", {x, 0.0, 1000.0, 520.0, layer + 3},
        JsonValue::array().push(text("\nApply your changes?", 44, palFloat(Pal::Bone), kTopCentre)), true));
    objects.push(menuButton("UnsavedApplyButton", {x - 220.0, -110.0, 400.0, 112.0, layer + 4}, "Apply",
                            messages.apply, true));
    objects.push(menuButton("UnsavedDiscardButton", {x + 220.0, -110.0, 400.0, 112.0, layer + 4}, "Discard",
                            messages.reject, true));
}

/// A quit confirmation in the tab area: its panel, the question, confirm and resume.
void addQuitConfirmation(JsonValue& objects, const std::string& prefix, const std::string& question,
                         const std::string& confirmLabel, const std::string& confirm) {
    objects.push(
        panel(prefix + "Panel", {kTabX, 0.0, kTabArea.width, kTabArea.height, 23}, JsonValue::array(), true));
    objects.push(textBox(prefix + "Text", {kTabX, 120.0, 960.0, 400.0, 24}, question, 44,
                         palFloat(Pal::Bone), kCentred, true));
    objects.push(menuButton(prefix + "ConfirmButton", {kTabX - 230.0, -260.0, 400.0, 112.0, 24}, confirmLabel,
                            confirm, true));
    objects.push(menuButton(prefix + "CancelButton", {kTabX + 230.0, -260.0, 400.0, 112.0, 24}, "Resume",
                            "CancelQuitPause", true));
}

void saveMenu(Content& content, const std::string& fileName, JsonValue objects) {
    const JsonValue menu = JsonValue::object().set("gameObjects", std::move(objects));
    if (!menu.writeFile(content.assets() / "PauseData" / fileName))
        content.fail("cannot write menu " + fileName);
}

} // namespace

void makePauseMenus(Content& content) {
    JsonValue pause = JsonValue::array();
    // The pause panel: the tab area first (the menu places it), the dimmed game, the heading.
    pause.push(panel("PauseTabPanel", kTabArea, JsonValue::array(), false));
    pause.push(gameObject("", "PauseOverlay",
                          JsonValue::array()
                              .push(uiTransform({0.0, 0.0, 2560.0, 1440.0, 20}))
                              .push(uiImage("whiteSquare", palFloat(Pal::Void, 0.6)))));
    pause.push(textBox("PauseTitle", {kTabX, 0.0, 960.0, 400.0, 22}, "Paused\n\nEsc or Start   back to the game", 48,
                       palFloat(Pal::Bone), kCentred));

    struct Option {
        const char* name;
        const char* label;
        const char* message;
    };
    const Option options[] = {{"ControlsTabButton", "How to Play", "OpenControlsPause"},
                              {"SettingsTabButton", "Settings", "OpenVolumesPause"},
                              {"TitleQuitTabButton", "Main Menu", "OpenTitleQuit"},
                              {"DesktopQuitTabButton", "Quit Game", "OpenDesktopQuit"}};
    double y = 240.0;
    for (const Option& option : options) {
        pause.push(menuButton(option.name, {-640.0, y, 640.0, 128.0, 22}, option.label, option.message));
        y -= 160.0;
    }

    pause.push(panel("ControlsPage", {0.0, 60.0, 1600.0, 1040.0, 23},
                     JsonValue::array().push(text(kControlsText, 40, palFloat(Pal::Bone), kTopCentre)),
                     true));
    pause.push(menuButton("ControlsBackButton", {0.0, -380.0, 480.0, 112.0, 24}, "Back", "CloseControlsPause",
                          true));

    addSettings(pause, kTabX, 23, {"", "ApplySettings", "RejectSettings", "CheckForChangesVolumesPause"},
                true);
    addQuitConfirmation(pause, "TitleQuit", "Return to the title?\nThis level starts over.", "Main Menu",
                        "ConfirmQuitTitle");
    addQuitConfirmation(pause, "DesktopQuit", "Quit to the desktop?", "Quit Game", "ConfirmQuitDesktop");
    saveMenu(content, "PauseMenu.json", std::move(pause));

    JsonValue settings = JsonValue::array();
    addSettings(settings, 0.0, 13, {"m", "mApplySettings", "mRejectSettings", "mCheckForChangesVolumesPause"},
                false);
    saveMenu(content, "SettingsMenu.json", std::move(settings));
}

} // namespace ContentGen
