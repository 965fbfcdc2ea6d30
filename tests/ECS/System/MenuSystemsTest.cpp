// The buttons, the title menu and the pause menu on the shipped menu files, driven as a player
// drives them: the cursor moved onto a button's rectangle and the left button or Escape pressed
// through the engine's input layer, one frame at a time.
#include "Files.h"
#include "Loopback.h"
#include "ShippedGame.h"

#include "ECS/Components/Button.h"
#include "ECS/Components/PauseMenuManagerComponent.h"
#include "ECS/Components/SpriteRenderer.h"
#include "ECS/Components/Text.h"
#include "ECS/Components/UITransform.h"
#include "ECS/System/Systems/ButtonHitTest.h"
#include "ECS/System/Systems/ButtonSystem.h"
#include "ECS/System/Systems/PauseMenuManager.h"
#include "QelAudio/AudioDevice.h"
#include "QelAudio/AudioManager.h"
#include "QelAudio/AudioManagerData.h"
#include "QelCore/FileHelper.h"
#include "QelCore/GameStateManager.h"
#include "QelCore/Gamepad.h"
#include "QelCore/Input.h"
#include "QelRenderer/Texture.h"
#include "QelRenderer/UILayout.h"

#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <memory>

using namespace Qel;
namespace fs = std::filesystem;

namespace {

TEST(ButtonHitTestTest, TheClickableBoxIsTheDrawnBoxAtAnyWindowSize) {
    const UITransform fixed{.position = {400, -200, 0}, .width = 200, .height = 100};
    const UITransform stretched{
        .position = {0, -200, 0}, .anchorMin = {-1, 0}, .anchorMax = {1, 0}, .width = 200, .height = 100};
    const UITransform pivoted{.position = {400, -200, 0}, .pivot = {0.5f, 0}, .width = 200, .height = 100};
    // 1280 x 720 is half a pixel per reference unit: the box spans x 150..250, y -125..-75, and its
    // far edges are outside. Twice the window doubles every box (x 300..500); stretched between
    // the window's edges the width is ignored; the pivot shifts the box by half its width (100..200).
    const struct {
        const UITransform* element;
        glm::vec2 window, point;
        bool over;
    } rows[] = {{&fixed, {1280, 720}, {249, -76}, true},       {&fixed, {1280, 720}, {250, -100}, false},
                {&fixed, {1280, 720}, {200, -70}, false},      {&fixed, {2560, 1440}, {480, -200}, true},
                {&fixed, {2560, 1440}, {240, -100}, false},    {&stretched, {1280, 720}, {-600, -100}, true},
                {&pivoted, {1280, 720}, {120, -100}, true},    {&pivoted, {1280, 720}, {220, -100}, false}};
    for (const auto& row : rows)
        EXPECT_EQ(isOverElement(*row.element, row.point, row.window), row.over)
            << row.point.x << "," << row.point.y;
}

TEST(ButtonHitTestTest, AStepGoesToTheNearestButtonAheadStraightLinesFirst) {
    // A column at x 0 and a button off to the right, a little lower than the column's middle one.
    const glm::vec2 centres[] = {{0, 100}, {0, 0}, {0, -100}, {150, -20}};
    EXPECT_EQ(nextFocus(centres, {0, 0}, {0, -1}, true), 2u);
    EXPECT_EQ(nextFocus(centres, {150, -20}, {-1, 0}, true), 1u);
    EXPECT_EQ(nextFocus(centres, {0, -100}, {0, -1}, true), std::nullopt);
    // From a point over no button: the nearest one, whatever the direction.
    EXPECT_EQ(nextFocus(centres, {60, 90}, {0, -1}, false), 0u);
}

/// The shipped menus in a world with a window, silent audio, the user configuration and the
/// registered systems.
class MenuTest : public test::ShippedGameTest {
protected:
    void SetUp() override {
        ShippedGameTest::SetUp();
        if (!ready()) return;
        states = std::make_unique<GameStateManager>();
        audio = std::make_unique<AudioManager>(AudioDevice::openLoopback(test::kLoopbackRate));
        for (const char* name : {"Muted", "Unmuted"})
            world.assets->load<Texture>(name, ("../Assets/Art/" + std::string(name) + ".png").c_str(),
                                        hashName(name));
        world.prefabs->LoadAllPrefabs("../Assets/Prefabs");
        world.systems->LoadAll();
        states->setNext(kNoRequest);
    }

    /// Moves the cursor to the centre of the named entity's drawn rectangle and clicks.
    void click(const std::string& name) {
        const Entity entity = world.named(name);
        ASSERT_NE(entity, MAX_ENTITIES) << name;
        ASSERT_FALSE(world.entities->IsDisabled(entity)) << name << " cannot be clicked while hidden";
        const glm::vec2 size(window->getCurrentSize());
        const UITransform& element = world.get<UITransform>(entity);
        const UIBox box = layoutUIElement(element, size);
        const glm::vec2 centre = box.position - box.size * element.pivot;
        handleCursorMoved(size.x / 2.0f + centre.x, size.y / 2.0f - centre.y);
        press(GLFW_MOUSE_BUTTON_LEFT);
    }
    /// A pad button pushed for one frame and let go the next.
    void padPress(int button) {
        GLFWgamepadstate state{};
        for (int action : {GLFW_PRESS, GLFW_RELEASE}) {
            state.buttons[button] = static_cast<unsigned char>(action);
            feedGamepadState(state);
            frame();
        }
    }
    bool shown(const std::string& name) {
        const Entity entity = world.named(name);
        return entity != MAX_ENTITIES && !world.entities->IsDisabled(entity);
    }
    std::string text(const std::string& name) { return world.get<Text>(world.named(name)).text; }
    bool loadScene(const char* file) {
        const bool loaded = world.loadScene(fs::path("../Assets/Scenes") / file);
        world.systems->InitializeAll();
        return loaded;
    }
    PauseMenuManager& pauseMenu() { return *world.systems->GetSystem<PauseMenuManager>(); }

    static constexpr uint64_t kNoRequest = 42;
    std::unique_ptr<GameStateManager> states;
    std::unique_ptr<AudioManager> audio;
};

TEST_F(MenuTest, EscapeOpensAndClosesThePauseMenuAgainAndAgainLeavingTheSceneAlone) {
    const Entity marker = world.spawn(PauseMenuManagerComponent{});
    const Entity sceneButton = world.spawn(UITransform{}, SpriteRenderer{}, Button{});
    for (int round = 0; round < 2; ++round) {
        press(GLFW_KEY_ESCAPE);
        ASSERT_TRUE(paused) << "round " << round;
        EXPECT_FALSE(shown("ControlsPage") || shown("SettingsBackdrop") || shown("UnsavedPanel"));
        const std::vector<Entity> built = pauseMenu().menuEntities().entities();

        press(GLFW_KEY_ESCAPE);
        EXPECT_FALSE(paused);
        for (Entity entity : built)
            EXPECT_FALSE(world.entities->Exists(entity));
        EXPECT_TRUE(world.entities->Exists(marker) && world.entities->Exists(sceneButton));
        EXPECT_EQ(pauseMenu().slot(PauseMenuManager::TabPanel), MAX_ENTITIES);
        EXPECT_EQ(pauseMenu().settingsView().label(VolumeChannel::Master), MAX_ENTITIES);
    }
    // A scene without the marker has no pause menu.
    DestroyObject({marker, true});
    press(GLFW_KEY_ESCAPE);
    EXPECT_FALSE(paused);
    EXPECT_EQ(world.named("PauseTabPanel"), MAX_ENTITIES);
}

TEST_F(MenuTest, VolumeButtonsChangeLabelAndGainApplyWritesTheFileAndRejectReadsItBack) {
    world.spawn(PauseMenuManagerComponent{});
    press(GLFW_KEY_ESCAPE);
    click("SettingsTabButton");
    ASSERT_TRUE(shown("MasterVolumeLabel") && shown("SettingsApplyButton"));
    EXPECT_EQ(text("SFXVolumeLabel"), "60%");

    // What is heard follows the label: a tone in the SFX group, measured at full volume first. It
    // is low because the open menu muffles the group; the clicks' own sound (MFX) is muted so it
    // stays out of the measurement.
    audio->settings = {1.0f, 1.0f, 1.0f, 1.0f};
    audio->settings.mfxMute = true;
    audio->applySettings();
    audio->internals().addSound("Tone", test::tone(100, 2.0));
    MessageArgs<uint64_t> play(hashName("playSFX"), hashName("Tone"));
    world.messages->sendImmediate(play, hashName("AudioManager"));
    const double fullVolume = test::rms(test::listen(*audio, 0.1));
    ASSERT_GT(fullVolume, 0.05);

    const struct {
        float start;
        const char* button;
        float volume;
        const char* label;
    } steps[] = {// Out-of-range values (a hand-edited file) step from the nearest end.
                 {0.95f, "MasterUpButton", 1.0f, "100%"}, {-2.0f, "MasterUpButton", 0.1f, "10%"},
                 {0.05f, "MasterDownButton", 0.0f, "0%"}, {7.0f, "MasterDownButton", 0.9f, "90%"},
                 {0.3f, "MasterDownButton", 0.2f, "20%"}};
    for (const auto& step : steps) {
        audio->settings.masterVolume = step.start;
        click(step.button);
        EXPECT_NEAR(audio->settings.masterVolume, step.volume, 1e-6f)
            << step.button << " from " << step.start;
        EXPECT_EQ(text("MasterVolumeLabel"), step.label);
        EXPECT_NEAR(test::rms(test::listen(*audio, 0.1)) / fullVolume, step.volume, 0.01) << step.label;
    }
    click("SFXMuteToggle");
    EXPECT_TRUE(audio->settings.sfxMute);
    click("SFXMuteToggle");

    click("SettingsApplyButton");
    const std::string config = test::readText(files->getUserPath(FileHelper::kConfigPath));
    float volume = -1.0f;
    test::parseJson(config).get("MasterVolume", volume);
    EXPECT_NEAR(volume, 0.2f, 1e-6f);
    EXPECT_NE(config.find("CFGVersion"), std::string::npos) << "Apply keeps the other keys";
    EXPECT_FALSE(shown("SettingsBackdrop"));

    // A change left unapplied asks before leaving, and Discard reads the file back.
    click("SettingsTabButton");
    click("MasterUpButton");
    click("SettingsBackButton");
    ASSERT_TRUE(shown("UnsavedPanel"));
    EXPECT_FALSE(shown("MasterUpButton") || shown("SettingsApplyButton")) << "buttons under the question";
    click("UnsavedDiscardButton");
    EXPECT_NEAR(audio->settings.masterVolume, 0.2f, 1e-6f);
    EXPECT_FALSE(shown("SettingsBackdrop"));

    // Leaving by Escape discards as well.
    click("SettingsTabButton");
    click("MasterUpButton");
    press(GLFW_KEY_ESCAPE);
    EXPECT_NEAR(audio->settings.masterVolume, 0.2f, 1e-6f);
}

TEST_F(MenuTest, QuitConfirmationsLeaveForTheTitleOrTheDesktopOrResume) {
    world.spawn(PauseMenuManagerComponent{});
    const struct {
        const char* tab;
        const char* confirm;
        uint64_t next;
    } rows[] = {{"TitleQuitTabButton", "TitleQuitConfirmButton", GS_RESTART},
                {"DesktopQuitTabButton", "DesktopQuitConfirmButton", GS_QUIT},
                {"TitleQuitTabButton", "TitleQuitCancelButton", kNoRequest}};
    for (const auto& row : rows) {
        states->setNext(kNoRequest);
        press(GLFW_KEY_ESCAPE);
        click(row.tab);
        EXPECT_TRUE(shown(row.confirm) && !shown("SettingsTabButton")) << row.tab;
        click(row.confirm);
        EXPECT_EQ(states->getNext(), row.next) << row.confirm;
        if (row.next == GS_RESTART) {
            EXPECT_EQ(world.scenes->getNextScenePath(), fs::path("../Assets/Scenes/MainMenu.json"));
        }
        if (paused) press(GLFW_KEY_ESCAPE);
        EXPECT_FALSE(paused) << row.confirm;
    }
}

TEST_F(MenuTest, EveryTitleButtonDoesWhatItsLabelSays) {
    ASSERT_TRUE(loadScene("MainMenu.json"));
    EXPECT_FALSE(shown("mHowToPlayPage") || shown("Overlay") || shown("QuitPage")) << "panels start hidden";
    // Each panel covers the title's buttons, and its close button brings them back.
    const struct {
        const char *open, *panel, *covered, *close;
    } panels[] = {{"mHowToPlayButton", "mHowToPlayPage", "PlayButton", "mHowToPlayCancelButton"},
                  {"mSettingsButton", "MasterVolumeLabel", "QuitButton", "SettingsBackButton"},
                  {"QuitButton", "QuitPage", "PlayButton", "QuitCancelButton"}};
    for (const auto& row : panels) {
        click(row.open);
        EXPECT_TRUE(shown(row.panel) && !shown(row.covered)) << row.open;
        click(row.close);
        EXPECT_TRUE(!shown(row.panel) && shown(row.covered)) << row.close;
    }
    click("QuitButton");
    click("QuitConfirmButton");
    EXPECT_EQ(states->getNext(), GS_QUIT);

    const struct {
        const char *scene, *button, *next;
    } leaving[] = {{"MainMenu.json", "CreditsButton", "Credits.json"},
                   {"Credits.json", "CreditsBackButton", "MainMenu.json"}};
    for (const auto& row : leaving) {
        DestroyAllSceneEntities();
        ASSERT_TRUE(loadScene(row.scene));
        states->setNext(kNoRequest);
        click(row.button);
        EXPECT_EQ(states->getNext(), GS_RESTART) << row.button;
        EXPECT_EQ(world.scenes->getNextScenePath(), fs::path("../Assets/Scenes") / row.next);
    }
}

TEST_F(MenuTest, APadPausesStepsBetweenButtonsPressesAndGoesBack) {
    world.spawn(PauseMenuManagerComponent{});
    padPress(GLFW_GAMEPAD_BUTTON_START);
    padPress(GLFW_GAMEPAD_BUTTON_START);
    EXPECT_FALSE(paused);
    padPress(GLFW_GAMEPAD_BUTTON_START);
    // The first step finds the button nearest the cursor (the top-left corner): the top tab.
    padPress(GLFW_GAMEPAD_BUTTON_DPAD_DOWN);
    padPress(GLFW_GAMEPAD_BUTTON_DPAD_DOWN);
    padPress(GLFW_GAMEPAD_BUTTON_A);
    EXPECT_TRUE(shown("MasterVolumeLabel"));
    padPress(GLFW_GAMEPAD_BUTTON_B);
    EXPECT_TRUE(paused && !shown("MasterVolumeLabel") && shown("SettingsTabButton"));
    padPress(GLFW_GAMEPAD_BUTTON_B);
    EXPECT_FALSE(paused);

    DestroyAllSceneEntities();
    ASSERT_TRUE(loadScene("MainMenu.json"));
    padPress(GLFW_GAMEPAD_BUTTON_B);
    EXPECT_TRUE(shown("QuitPage") && !shown("PlayButton"));
    padPress(GLFW_GAMEPAD_BUTTON_B);
    EXPECT_TRUE(!shown("QuitPage") && shown("PlayButton"));
}

TEST_F(MenuTest, AMinimisedWindowLeavesTheButtonsAsTheyAre) {
    const Entity entity = world.spawn(UITransform{}, SpriteRenderer{}, Button{});
    ButtonSystem& buttons = *world.systems->GetSystem<ButtonSystem>();
    buttons.pointAt({1280, 720}, {640, 360}, false);
    const glm::vec4 hovered = world.get<SpriteRenderer>(entity).color;
    EXPECT_EQ(hovered, Button{}.clickColor);
    buttons.pointAt({0, 0}, {0, 0}, true);
    buttons.pointAt({1280, 0}, {0, 0}, true);
    EXPECT_EQ(world.get<SpriteRenderer>(entity).color, hovered);
}

} // namespace
