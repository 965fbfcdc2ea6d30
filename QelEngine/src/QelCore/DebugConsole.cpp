#include "QelCore/DebugConsole.h"

#include "QelCore/FrameRateController.h"
#include "QelCore/GameStateManager.h"
#include "QelCore/LogManager.h"
#include "QelCore/QelSystems.h"
#include "QelCore/WindowHandler.h"
#include "data/NameHash.h"

#include <GLFW/glfw3.h>
#include <unistd.h>

#include <charconv>
#include <cstdint>
#include <iostream>
#include <limits>
#include <optional>
#include <sstream>
#include <string>

namespace Qel {

namespace {

constexpr const char* kBanner =
    "CONSOLE WAITING FOR USER INPUT (triggered by L-SHIFT + ~) [type help for available commands]";

constexpr const char* kHelpText = "available commands:\nHIDECONSOLE\nSETTARGETFPS []\nSETLOGADDPRIORITY []\n"
                                  "SETLOGECHOPRIORITY []\nSETLOGPRINTPRIORITY []\nDUMPLOGS\nRESTART\nQUIT\n";

std::string toUpperAscii(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return upper;
}

/// Level of a priority word, any case; nothing for an unknown word.
std::optional<uint8_t> parseLogLevel(std::string_view argument) {
    std::istringstream words(toUpperAscii(argument));
    std::string word;
    words >> word;
    switch (hashName(word)) {
    case hashName("CRITICAL"):
    case hashName("CRIT"):
    case hashName("C"):
        return LOG_CRITICAL;
    case hashName("HIGH"):
    case hashName("HI"):
    case hashName("H"):
        return LOG_HIGH;
    case hashName("MED"):
    case hashName("M"):
        return LOG_MED;
    case hashName("LOW"):
    case hashName("L"):
        return LOG_LOW;
    default:
        return std::nullopt;
    }
}

const char* levelConfirmation(uint8_t level) {
    switch (level) {
    case LOG_CRITICAL:
        return "Log priority manually set to CRITICAL only";
    case LOG_HIGH:
        return "Log priority manually set to HIGH or above";
    case LOG_MED:
        return "Log priority manually set to MED or above";
    default:
        return "Log priority manually set to LOW or above";
    }
}

void setLogThreshold(std::string_view argument, const char* announcement,
                     void (LogManager::*setter)(uint8_t)) {
    log(LOG_CRITICAL, announcement);
    const std::optional<uint8_t> level = parseLogLevel(argument);
    if (!level) {
        log(LOG_CRITICAL, "Invalid argument provided, expected LOW/MED/HI/HIGH/CRIT/CRITICAL/L/M/H/C");
        return;
    }
    if (LogManager* manager = LogManager::instance()) (manager->*setter)(*level);
    log(LOG_CRITICAL, levelConfirmation(*level));
}

/// A decimal integer after optional leading blanks, trailing text ignored; values beyond 32 bits
/// saturate. Nothing for a negative or missing number.
std::optional<uint32_t> parseFrameRate(std::string_view text) {
    const size_t start = text.find_first_not_of(" \t");
    if (start == std::string_view::npos) return std::nullopt;
    text.remove_prefix(start);
    if (text.front() == '+') text.remove_prefix(1);
    uint64_t value = 0;
    const std::errc error = std::from_chars(text.data(), text.data() + text.size(), value).ec;
    if (error == std::errc::result_out_of_range) return std::numeric_limits<uint32_t>::max();
    if (error != std::errc()) return std::nullopt;
    if (value > std::numeric_limits<uint32_t>::max()) return std::numeric_limits<uint32_t>::max();
    return static_cast<uint32_t>(value);
}

void setFrameCap(std::string_view argument) {
    std::optional<uint32_t> fps = parseFrameRate(argument);
    if (!fps) {
        logf(LOG_MED, "Frame rate \"%.*s\" is not a number, frame cap removed",
             static_cast<int>(argument.size()), argument.data());
        fps = 0;
    }
    if (FrameRateController* controller = FrameRateController::instance()) controller->setTargetFps(*fps);
}

void dumpLogs() {
    log(LOG_HIGH, "Manual dump initiated");
    LogManager* manager = LogManager::instance();
    if (!manager) return;
    manager->openDumpFile("logs/log_latest_manual.txt");
    manager->flush();
    manager->closeDumpFile();
}

} // namespace

DebugConsole::DebugConsole() : DebugConsole(std::cin, std::cout, isatty(STDIN_FILENO) == 1) {}

DebugConsole::DebugConsole(std::istream& input, std::ostream& output, bool isInteractive)
    : in(input), out(output), interactive(isInteractive) {}

void DebugConsole::update(const KeyQuery& pressed, const KeyQuery& triggered) {
    if (hotkeyActions.takeScreenshot && triggered(GLFW_KEY_F12)) hotkeyActions.takeScreenshot();
    if (!pressed(GLFW_KEY_LEFT_SHIFT)) return;
    if (triggered(GLFW_KEY_GRAVE_ACCENT)) {
        out << kBanner << std::endl;
        if (Systems::instance()) readCommand();
    }
    checkHotkeys(triggered);
}

void DebugConsole::readCommand() {
    std::string line;
    // Reading is tried only from a terminal: a pipe or file would block the frame or feed it
    // commands nobody typed.
    if (!interactive || !std::getline(in, line)) {
        if (!reportedNoInput) log(LOG_LOW, "Debug console has no terminal input to read a command from");
        reportedNoInput = true;
        return;
    }
    runCommand(line);
}

void DebugConsole::runCommand(std::string_view line) {
    const size_t space = line.find(' ');
    const bool hasArgument = space != std::string_view::npos && space != 0;
    const std::string word = toUpperAscii(hasArgument ? line.substr(0, space) : line);
    const std::string_view argument = hasArgument ? line.substr(space + 1) : std::string_view();

    switch (hashName(word)) {
    case hashName("HELP"):
        out << kHelpText << std::endl;
        break;
    case hashName("ECHO"):
        if (hasArgument) out << argument << std::endl;
        break;
    case hashName("HIDECONSOLE"):
        // The terminal is not ours to hide.
        break;
    case hashName("SETTARGETFPS"):
    case hashName("SETFPS"):
        if (hasArgument) setFrameCap(argument);
        break;
    case hashName("SETLOGADDPRIORITY"):
        if (hasArgument)
            setLogThreshold(argument, "ADDLOG PRIORITY ADJUSTMENT IN PROGRESS", &LogManager::setAddPriority);
        break;
    case hashName("SETLOGECHOPRIORITY"):
        if (hasArgument)
            setLogThreshold(argument, "ECHO PRIORITY ADJUSTMENT IN PROGRESS", &LogManager::setEchoPriority);
        break;
    case hashName("SETLOGPRINTPRIORITY"):
    case hashName("SETLOGDUMPPRIORITY"):
        if (hasArgument)
            setLogThreshold(argument, "PRINT/DUMP PRIORITY ADJUSTMENT IN PROGRESS",
                            &LogManager::setPrintPriority);
        break;
    case hashName("DUMPLOGS"):
        dumpLogs();
        break;
    case hashName("RESTART"):
        setNextGameState(GS_RESTART);
        break;
    case hashName("QUIT"):
        setNextGameState(GS_QUIT);
        break;
    default:
        log(LOG_LOW, "Unknown command provided to command line");
        break;
    }
}

void DebugConsole::checkHotkeys(const KeyQuery& triggered) {
    if (triggered(GLFW_KEY_F1)) {
        log(LOG_CRITICAL, "[CHEAT] PHYSICS COLLIDER VISUALISATION TOGGLED");
        if (hotkeyActions.toggleColliderOutlines) hotkeyActions.toggleColliderOutlines();
    }
    const bool systemsPresent = hotkeyActions.systemManagerExists && hotkeyActions.systemManagerExists();
    if (systemsPresent && triggered(GLFW_KEY_F2)) {
        log(LOG_CRITICAL, "[CHEAT] PHYSICS QUADTREE VISUALISATION TOGGLED");
        if (hotkeyActions.toggleQuadtreeOutlines) hotkeyActions.toggleQuadtreeOutlines();
    }
    if (systemsPresent && triggered(GLFW_KEY_F3)) {
        log(LOG_CRITICAL, "[CHEAT] DIALOGUE FORCIBLY SKIPPED");
        skipDialogue();
    }
    if (triggered(GLFW_KEY_F4)) {
        log(LOG_CRITICAL, "[HOTKEY] FRAME OVERLAY TOGGLED");
        if (hotkeyActions.toggleFrameOverlay) hotkeyActions.toggleFrameOverlay();
    }
    if (triggered(GLFW_KEY_F5)) {
        log(LOG_CRITICAL, "[HOTKEY] CONTENT RELOAD");
        if (hotkeyActions.reloadContent) hotkeyActions.reloadContent();
    }
    if (triggered(GLFW_KEY_F11)) {
        log(LOG_CRITICAL, "[HOTKEY] FULLSCREEN TOGGLED");
        if (WindowHandler* window = WindowHandler::instance()) window->setFullscreen(!window->isFullscreen());
    }
}

size_t DebugConsole::skipDialogue() {
    const DebugHotkeyActions& actions = hotkeyActions;
    if (!actions.dialogueActive || !actions.advanceDialogue) return 0;
    if (actions.gamePaused && actions.gamePaused()) return 0;
    size_t advances = 0;
    while (actions.dialogueActive()) {
        actions.advanceDialogue();
        ++advances;
        // A conversation that never ends would hang the game here: give up at the first warning.
        if (advances == kDialogueSkipWarningInterval) {
            logf(LOG_CRITICAL,
                 "Warning, skipDialogue triggered %zu iterations, is the dialogue in an infinite loop?",
                 advances);
            break;
        }
    }
    return advances;
}

} // namespace Qel
