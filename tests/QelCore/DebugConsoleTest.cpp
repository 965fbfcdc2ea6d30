#include "QelCore/DebugConsole.h"

#include "QelCore/FileHelper.h"
#include "QelCore/FrameRateController.h"
#include "QelCore/GameStateManager.h"
#include "QelCore/LogManager.h"

#include "Files.h"
#include "LogSink.h"

#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>

namespace Qel {
namespace {

class DebugConsoleTest : public testing::Test {
protected:
    void run(const std::string& line) { console.runCommand(line); }

    FileHelper files;
    LogManager logs;
    test::LogSink logged;
    FrameRateController frameRate{std::make_unique<ManualClock>()};
    GameStateManager states;
    std::istringstream in;
    std::ostringstream out;
    DebugConsole console{in, out, true};
};

TEST_F(DebugConsoleTest, CommandsTakeAnyCaseAndTheirArgumentsUnknownOnesAreLogged) {
    // Help, echo and hide write only to the console, never to the log.
    logged.take();
    for (const char* line : {"help", "Echo  two words ", "ECHO", "HIDECONSOLE"})
        run(line);
    EXPECT_EQ(logged.take(), "");
    EXPECT_TRUE(out.str().starts_with("available commands:\n")) << out.str();
    EXPECT_TRUE(out.str().ends_with("\n two words \n")) << out.str();

    run("restart");
    EXPECT_EQ(states.getNext(), GS_RESTART);
    run("QUIT");
    EXPECT_EQ(states.getNext(), GS_QUIT);
    run("FLY");
    run(" QUIT");
    EXPECT_EQ(logged.count("[LOW] Unknown command provided to command line\n"), 2u);

    // Trailing words are ignored, no argument leaves the rate alone, nonsense removes the cap.
    run("setfps    30 frames");
    run("SETFPS");
    EXPECT_EQ(frameRate.getMinFrameTicks(), 333'333u);
    for (const char* nonsense : {"SETFPS -30", "SETFPS 0"}) {
        run("SETTARGETFPS 60");
        run(nonsense);
        EXPECT_EQ(frameRate.getMinFrameTicks(), 1u) << nonsense;
    }
    // Rates beyond the clock's resolution leave no time to wait for.
    run("SETTARGETFPS 99999999999999999999999");
    EXPECT_EQ(frameRate.getMinFrameTicks(), 0u);

    run("setlogechopriority h");
    EXPECT_EQ(logs.getEchoPriority(), LOG_HIGH);
    run("SETLOGADDPRIORITY Crit");
    run("SETLOGADDPRIORITY loud");
    EXPECT_EQ(logs.getAddPriority(), LOG_CRITICAL);
    run("SETLOGDUMPPRIORITY L and more");
    EXPECT_EQ(logs.getPrintPriority(), LOG_LOW);
}

TEST_F(DebugConsoleTest, ReadsOnlyFromATerminalAndReportsMissingInputOnce) {
    in.str("restart\n");
    DebugConsole noTerminal(in, out, false);
    noTerminal.readCommand();
    noTerminal.readCommand();
    EXPECT_EQ(states.getNext(), GS_QUIT);
    console.readCommand();
    EXPECT_EQ(states.getNext(), GS_RESTART);
    console.readCommand();
    EXPECT_EQ(logged.count("Debug console has no terminal input to read a command from"), 2u);
}

std::set<int> keysDown;
bool isDown(int code) {
    return keysDown.count(code) != 0;
}

int dialogueLinesLeft = 0;
bool pausedGame = false;
std::string hotkeysRun;

TEST_F(DebugConsoleTest, HotkeysNeedLeftShiftAndTheirConditions) {
    DebugHotkeyActions actions;
    actions.toggleColliderOutlines = [] { hotkeysRun += "collider "; };
    actions.toggleQuadtreeOutlines = [] { hotkeysRun += "quadtree "; };
    actions.reloadContent = [] { hotkeysRun += "reload "; };
    actions.toggleFrameOverlay = [] { hotkeysRun += "overlay "; };
    actions.takeScreenshot = [] { hotkeysRun += "screenshot "; };
    console.setHotkeyActions(actions);
    keysDown = {GLFW_KEY_F1, GLFW_KEY_F2, GLFW_KEY_F3, GLFW_KEY_F4, GLFW_KEY_F5, GLFW_KEY_F11, GLFW_KEY_F12};
    hotkeysRun.clear();
    console.update(isDown, isDown);
    EXPECT_EQ(hotkeysRun, "screenshot ") << "F12 needs no shift";
    keysDown.insert(GLFW_KEY_LEFT_SHIFT);
    hotkeysRun.clear();
    console.update(isDown, isDown);
    // Without a system manager F2 skips no dialogue and F3 draws no quadtree.
    EXPECT_EQ(logged.count("FULLSCREEN TOGGLED"), 1u);
    EXPECT_EQ(logged.count("[HOTKEY] FRAME OVERLAY TOGGLED"), 1u);
    for (const char* action : {"collider ", "reload ", "overlay ", "screenshot "})
        EXPECT_NE(hotkeysRun.find(action), std::string::npos) << action;
    EXPECT_EQ(hotkeysRun.find("quadtree"), std::string::npos);

    actions.systemManagerExists = [] { return true; };
    console.setHotkeyActions(actions);
    keysDown = {GLFW_KEY_F2, GLFW_KEY_F3};
    hotkeysRun.clear();
    console.checkHotkeys(isDown);
    EXPECT_EQ(logged.count("DIALOGUE FORCIBLY SKIPPED"), 1u);
    EXPECT_EQ(hotkeysRun, "quadtree ");
    EXPECT_TRUE(out.str().empty());
}

TEST_F(DebugConsoleTest, DialogueSkipAdvancesUntilTheEndAndGivesUpOnEndlessOnes) {
    DebugHotkeyActions actions;
    actions.gamePaused = [] { return pausedGame; };
    actions.dialogueActive = [] { return dialogueLinesLeft > 0; };
    actions.advanceDialogue = [] { --dialogueLinesLeft; };
    console.setHotkeyActions(actions);

    dialogueLinesLeft = 3;
    pausedGame = true;
    EXPECT_EQ(console.skipDialogue(), 0u);
    pausedGame = false;
    EXPECT_EQ(console.skipDialogue(), 3u);

    // A conversation that does not end in time is left running, with one warning.
    dialogueLinesLeft = 65'536;
    EXPECT_EQ(console.skipDialogue(), 65'535u);
    EXPECT_EQ(dialogueLinesLeft, 1);
    EXPECT_EQ(logged.count("is the dialogue in an infinite loop?"), 1u);
}

} // namespace
} // namespace Qel
