// The intro level's opening conversation on the shipped level, scripts and prefabs, with every
// engine system registered, clicked through as a player would: the left button pressed through
// the engine's input layer, one frame at a time.
#include "LogSink.h"
#include "ShippedGame.h"

#include "ECS/Components/Text.h"
#include "ECS/Components/Transform.h"
#include "ECS/System/Systems/DialogueSystem.h"
#include "QelScripting/ScriptAssets.h"

#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

using namespace Qel;

namespace {

class DialogueTest : public test::ShippedGameTest {
protected:
    // 1/32 s frames: one character of a line each.
    DialogueTest() : ShippedGameTest(DialogueSystem::kSecondsPerCharacter) {}

    void SetUp() override {
        ShippedGameTest::SetUp();
        if (!ready()) return;
        loadScripts();
        world.prefabs->LoadAllPrefabs("../Assets/Prefabs");
        world.systems->LoadAll();
        ASSERT_TRUE(world.loadScene("../Assets/Scenes/Introlevel_Scripted.json"));
        sceneSize = sceneEntities.size();
        world.systems->InitializeAll();
    }
    void TearDown() override {
        if (world.systems) world.systems->UnloadAll();
    }

    DialogueSystem& dialogue() { return *world.systems->GetSystem<DialogueSystem>(); }
    std::string shownText() { return world.get<Text>(dialogue().entity(DialogueSystem::SpeechText)).text; }
    bool partsShown() {
        for (size_t part = 0; part < DialogueSystem::PartCount; ++part)
            if (world.entities->IsDisabled(dialogue().entity(static_cast<DialogueSystem::Part>(part))))
                return false;
        return true;
    }
    glm::vec3 at(Entity entity) { return world.get<Transform>(entity).position; }

    test::LogSink logged;
    size_t sceneSize = 0;
};

TEST_F(DialogueTest, TheOpeningConversationTypesAdvancesOnClicksPausesTheEnemiesAndEnds) {
    // The dialogue's Initialize destroyed nothing of the level and took only its own four parts.
    EXPECT_EQ(sceneEntities.size(), sceneSize + DialogueSystem::PartCount + 1) << "the parts and the hammer";
    EXPECT_FALSE(partsShown());
    // A Cinderling within reach of the player, which would chase at once if it were not paused.
    const Entity cinderling = world.named("Cinderling_0");
    world.get<Transform>(cinderling).position = at(world.named("Player")) + glm::vec3(4.0f, -0.5f, 0.0f);

    // The level asks for the conversation on its first frame, although the parts are hidden.
    frame();
    ASSERT_TRUE(dialogue().isActive()) << logged.take();
    EXPECT_TRUE(partsShown());
    const std::string first = dialogue().line();
    ASSERT_GT(first.size(), 10u);
    for (size_t typed = 1; typed < 10; ++typed, frame())
        ASSERT_EQ(shownText(), first.substr(0, typed));

    // A script that rewrites the shown text mid-line: typing goes on without running past the line.
    const std::string rewritten(first.size() + 5, 'x');
    world.get<Text>(dialogue().entity(DialogueSystem::SpeechText)).text = rewritten;
    frame();
    EXPECT_EQ(shownText(), rewritten);
    world.get<Text>(dialogue().entity(DialogueSystem::SpeechText)).text = first.substr(0, 10);

    // A click completes the line, the next asks for the next line; the pause menu opened and
    // closed on the way does not wake the enemies.
    const glm::vec3 before = at(cinderling);
    press(GLFW_MOUSE_BUTTON_LEFT);
    EXPECT_EQ(shownText(), first);
    press(GLFW_KEY_ESCAPE);
    press(GLFW_KEY_ESCAPE);
    press(GLFW_MOUSE_BUTTON_LEFT);
    EXPECT_NE(dialogue().line(), first);
    int clicks = 2;
    while (dialogue().isActive() && clicks < 40) {
        press(GLFW_MOUSE_BUTTON_LEFT);
        ++clicks;
    }
    EXPECT_EQ(clicks, 10) << "five lines, two clicks each";
    EXPECT_EQ(at(cinderling), before);
    EXPECT_FALSE(partsShown());
    EXPECT_EQ(shownText(), "");

    // Play goes on: the Cinderling comes for the player.
    for (int step = 0; step < 30; ++step)
        frame();
    EXPECT_NE(at(cinderling), before);
}

TEST_F(DialogueTest, ARestartRebuildsTheDialogueAndLeavesNoStaleIdBehind) {
    const std::unordered_set<Entity> firstParts = dialogue().GetEntities();
    dialogue().Initialize();
    for (Entity part : firstParts)
        EXPECT_FALSE(world.entities->Exists(part));
    EXPECT_EQ(dialogue().GetEntities().size(), DialogueSystem::PartCount);
    EXPECT_TRUE(world.entities->Exists(world.named("Player")));

    // The scene ends: nothing of it may linger in the set, to be destroyed later under a reused id.
    DestroyAllSceneEntities();
    EXPECT_TRUE(dialogue().GetEntities().empty());
    EXPECT_EQ(dialogue().entity(DialogueSystem::SpeechText), MAX_ENTITIES);
}

} // namespace
