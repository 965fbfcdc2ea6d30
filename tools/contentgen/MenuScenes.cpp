// The title screen and the credits: UI-only scenes laid out on the 2560 x 1440 reference screen.
#include "ComponentJson.h"
#include "Content.h"
#include "MenuParts.h"
#include "Prefabs.h"

#include <string>

namespace ContentGen {

namespace {

JsonValue backdrop(Colour4 tint) {
    return gameObject("", "Background",
                      JsonValue::array()
                          .push(uiTransform({0.0, 0.0, 2560.0, 1440.0, 0}))
                          .push(uiImage("TitleBackground", tint)));
}

} // namespace

void makeMainMenu(Content& content) {
    JsonValue objects = JsonValue::array();
    objects.push(backdrop({1.0, 1.0, 1.0, 1.0}));
    objects.push(gameObject(
        "", "Title",
        JsonValue::array().push(uiTransform({0.0, 400.0, 1360.0, 340.0, 1})).push(uiImage("TitleLogo"))));

    struct Entry {
        const char* name;
        const char* label;
        const char* message;
    };
    const Entry entries[] = {{"PlayButton", "Play", "Play"},
                             {"mHowToPlayButton", "How to Play", "OpenControls"},
                             {"mSettingsButton", "Settings", "mOpenSettings"},
                             {"CreditsButton", "Credits", "openCredits"},
                             {"QuitButton", "Quit", "Quit"}};
    double y = 60.0;
    for (const Entry& entry : entries) {
        objects.push(menuButton(entry.name, {0.0, y, 640.0, 128.0, 2}, entry.label, entry.message));
        y -= 156.0;
    }
    objects.push(gameObject("", "Copyright",
                            JsonValue::array()
                                .push(uiTransform({1000.0, 650.0, 480.0, 80.0, 1}))
                                .push(text("(c) 2026 Qel Games", 24, palFloat(Pal::Ash), kTopRight))));

    // Hidden until the menu shows them: the controls page and the quit confirmation.
    objects.push(panel("mHowToPlayPage", {0.0, 0.0, 1600.0, 1040.0, 11},
                       JsonValue::array().push(text(kControlsText, 40, palFloat(Pal::Bone), kTopCentre)),
                       true));
    objects.push(
        menuButton("mHowToPlayCancelButton", {0.0, -380.0, 480.0, 112.0, 12}, "Back", "CloseControls", true));
    objects.push(gameObject("", "Overlay",
                            JsonValue::array()
                                .push(uiTransform({0.0, 0.0, 2560.0, 1440.0, 10}))
                                .push(uiImage("whiteSquare", palFloat(Pal::Void, 0.7))),
                            true));
    objects.push(
        panel("QuitPage", {0.0, 0.0, 1200.0, 600.0, 11},
              JsonValue::array().push(text("\nLeave the deep?", 48, palFloat(Pal::Bone), kTopCentre)), true));
    objects.push(
        menuButton("QuitConfirmButton", {-270.0, -130.0, 440.0, 112.0, 12}, "Quit", "ConfirmQuit", true));
    objects.push(
        menuButton("QuitCancelButton", {270.0, -130.0, 440.0, 112.0, 12}, "Stay", "CancelQuit", true));

    JsonValue scene = JsonValue::object();
    scene.set("cursor", "Default");
    scene.set("BGM", "Music/TitleTheme");
    scene.set("gameObjects", std::move(objects));
    content.saveScene("MainMenu.json", JsonValue::object().set("Scene", std::move(scene)));
}

void makeCredits(Content& content) {
    JsonValue objects = JsonValue::array();
    objects.push(backdrop({0.55, 0.5, 0.5, 1.0}));
    objects.push(panel("CreditsPage", {0.0, 60.0, 2000.0, 1180.0, 1}, JsonValue::array(), false));
    objects.push(gameObject("", "CreditsTitle",
                            JsonValue::array()
                                .push(uiTransform({0.0, 520.0, 1600.0, 120.0, 2}))
                                .push(text("Credits", 64, palFloat(Pal::Flame), kCentred))));
    const char* credits =
        "Ember Deep, a game by Qel Games\n"
        "Design, code, levels and art: the Qel Games team, on QelEngine\n"
        "\n"
        "Audio: OpenAL Soft (LGPL), (c) 1999-2014 the OpenAL team, 2009-2015 Chris Robinson\n"
        "Font: Roboto, (c) 2015 Google Inc., Apache License 2.0\n"
        "\n"
        "Built with GLFW, GLEW, GLM, RapidJSON, stb, FreeType, Lua 5.4,\n"
        "libvorbis and GoogleTest. Thank you to all their authors.";
    objects.push(gameObject("", "CreditsText",
                            JsonValue::array()
                                .push(uiTransform({0.0, 60.0, 1800.0, 760.0, 2}))
                                .push(text(credits, 30, palFloat(Pal::Bone), kCentred))));
    // No message of its own leads back to the title; the pause menu's return-to-title does.
    objects.push(menuButton("CreditsBackButton", {0.0, -440.0, 480.0, 112.0, 2}, "Back", "ConfirmQuitTitle"));

    JsonValue scene = JsonValue::object();
    scene.set("cursor", "Default");
    scene.set("BGM", "Music/TitleTheme");
    scene.set("gameObjects", std::move(objects));
    content.saveScene("Credits.json", JsonValue::object().set("Scene", std::move(scene)));
}

} // namespace ContentGen
