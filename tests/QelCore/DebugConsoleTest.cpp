#include "QelCore/DebugConsole.h"

#include "QelCore/FileHelper.h"
#include "QelCore/FrameRateController.h"
#include "QelCore/GameStateManager.h"
#include "QelCore/LogManager.h"

#include "LogSink.h"

#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>

namespace Qel {
namespace {

class DebugConsoleTest : public testing::Test {
protected:
    /// Runs one line; returns what the log echoed meanwhile.
    std::string run(const std::string& line) {
        logged.take();
        console.runCommand(line);
        return logged.take();
    }

    FileHelper files;
    LogManager logs;
    test::LogSink logged;
    FrameRateController frameRate{std::make_unique<ManualClock>()};
    GameStateManager states;
    std::istringstream in;
    std::ostringstream out;
    DebugConsole console{in, out, true};
};

TEST_F(DebugConsoleTest, HelpEchoAndHideConsoleWriteOnlyTheirOutput) {
    EXPECT_EQ(run("help"), "");
    EXPECT_TRUE(out.str().starts_with("available commands:\n")) << out.str();
    out.str("");
    EXPECT_EQ(run("Echo  two words "), "");
    EXPECT_EQ(run("ECHO"), "");
    EXPECT_EQ(run("HIDECONSOLE"), "");
    EXPECT_EQ(out.str(), " two words \n");
}

TEST_F(DebugConsoleTest, FrameRateCommandsAcceptRatesAndTreatNonsenseAsUncapped) {
    run("SETTARGETFPS 60");
    EXPECT_EQ(frameRate.getMinFrameTicks(), 166'666u);
    run("setfps    30 frames");
    EXPECT_EQ(frameRate.getMinFrameTicks(), 333'333u);
    run("SETFPS");
    EXPECT_EQ(frameRate.getMinFrameTicks(), 333'333u);
    for (const char* nonsense : {"SETFPS -30", "SETFPS abc", "SETFPS ", "SETFPS 0"}) {
        run("SETFPS 60");
        run(nonsense);
        EXPECT_EQ(frameRate.getMinFrameTicks(), 1u) << nonsense;
    }
    // Rates beyond the clock's resolution leave no time to wait for.
    run("SETTARGETFPS 99999999999999999999999");
    EXPECT_EQ(frameRate.getMinFrameTicks(), 0u);
}

TEST_F(DebugConsoleTest, PriorityCommandsTakeLevelWordsInAnyCase) {
    EXPECT_EQ(run("setlogechopriority h"), "[CRITICAL] ECHO PRIORITY ADJUSTMENT IN PROGRESS\n"
                                           "[CRITICAL] Log priority manually set to HIGH or above\n");
    EXPECT_EQ(logs.getEchoPriority(), LOG_HIGH);
    run("SETLOGADDPRIORITY Crit");
    EXPECT_EQ(logs.getAddPriority(), LOG_CRITICAL);
    run("SETLOGPRINTPRIORITY med and more");
    EXPECT_EQ(logs.getPrintPriority(), LOG_MED);
    run("SETLOGDUMPPRIORITY L");
    EXPECT_EQ(logs.getPrintPriority(), LOG_LOW);

    EXPECT_EQ(run("SETLOGADDPRIORITY loud"),
              "[CRITICAL] ADDLOG PRIORITY ADJUSTMENT IN PROGRESS\n"
              "[CRITICAL] Invalid argument provided, expected LOW/MED/HI/HIGH/CRIT/CRITICAL/L/M/H/C\n");
    EXPECT_EQ(logs.getAddPriority(), LOG_CRITICAL);
    EXPECT_EQ(run("SETLOGADDPRIORITY"), "");
    EXPECT_EQ(logs.getAddPriority(), LOG_CRITICAL);
}

TEST_F(DebugConsoleTest, DumpLogsWritesTheManualFileAndClosesIt) {
    logs.log(LOG_HIGH, "before the dump");
    run("DUMPLOGS");
    EXPECT_FALSE(logs.hasDumpFile());
    std::ifstream file(files.getUserPath("logs/log_latest_manual.txt"));
    const std::string text(std::istreambuf_iterator<char>(file), {});
    EXPECT_EQ(text, "[HIGH] before the dump\n[HIGH] Manual dump initiated\n");
}

TEST_F(DebugConsoleTest, RestartQuitAndUnknownCommands) {
    run("restart");
    EXPECT_EQ(states.getNext(), GS_RESTART);
    run("QUIT");
    EXPECT_EQ(states.getNext(), GS_QUIT);
    EXPECT_EQ(run("FLY"), "[LOW] Unknown command provided to command line\n");
    EXPECT_EQ(run(" QUIT"), "[LOW] Unknown command provided to command line\n");
}

TEST_F(DebugConsoleTest, ReadsOnlyFromATerminalAndReportsMissingInputOnce) {
    in.str("restart\n");
    DebugConsole noTerminal(in, out, false);
    logged.take();
    noTerminal.readCommand();
    noTerminal.readCommand();
    EXPECT_EQ(logged.take(), "[LOW] Debug console has no terminal input to read a command from\n");
    EXPECT_EQ(states.getNext(), GS_QUIT);

    console.readCommand();
    EXPECT_EQ(states.getNext(), GS_RESTART);
    logged.take();
    console.readCommand();
    EXPECT_EQ(logged.take(), "[LOW] Debug console has no terminal input to read a command from\n");
}

std::set<int> keysDown;
bool isDown(int code) {
    return keysDown.count(code) != 0;
}

int dialogueLinesLeft = 0;
int colliderToggles = 0;
int quadtreeToggles = 0;
bool pausedGame = false;

TEST_F(DebugConsoleTest, HotkeysNeedLeftShiftAndTheirConditions) {
    colliderToggles = quadtreeToggles = 0;
    DebugHotkeyActions actions;
    actions.toggleColliderOutlines = [] { ++colliderToggles; };
    actions.toggleQuadtreeOutlines = [] { ++quadtreeToggles; };
    console.setHotkeyActions(actions);
    keysDown = {GLFW_KEY_F1, GLFW_KEY_F2, GLFW_KEY_F3, GLFW_KEY_F11};
    logged.take();
    console.update(isDown, isDown);
    keysDown.insert(GLFW_KEY_LEFT_SHIFT);
    console.update(isDown, isDown);
    EXPECT_EQ(logged.take(), "[CRITICAL] [CHEAT] PHYSICS COLLIDER VISUALISATION "
                             "TOGGLED\n[CRITICAL] [HOTKEY] FULLSCREEN TOGGLED\n");
    EXPECT_EQ(colliderToggles, 1);
    EXPECT_EQ(quadtreeToggles, 0);

    actions.systemManagerExists = [] { return true; };
    console.setHotkeyActions(actions);
    keysDown = {GLFW_KEY_F2, GLFW_KEY_F3};
    logged.take();
    console.checkHotkeys(isDown);
    EXPECT_EQ(logged.take(),
              "[CRITICAL] [CHEAT] PHYSICS QUADTREE VISUALISATION TOGGLED\n[CRITICAL] [CHEAT] DIALOGUE "
              "FORCIBLY SKIPPED\n");
    EXPECT_EQ(quadtreeToggles, 1);
    EXPECT_TRUE(out.str().empty());
}

TEST_F(DebugConsoleTest, DialogueSkipAdvancesUntilTheEndAndWarnsOnLongLoops) {
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

    dialogueLinesLeft = 65'536;
    logged.take();
    EXPECT_EQ(console.skipDialogue(), 65'536u);
    EXPECT_EQ(logged.take(), "[CRITICAL] Warning, skipDialogue triggered 65535 "
                             "iterations, is the dialogue in an infinite loop?\n");
}

} // namespace
} // namespace Qel
