#pragma once

#include <cstddef>
#include <functional>
#include <iosfwd>
#include <string_view>

namespace Qel {

/// Actions of the debug hotkeys that belong to other subsystems; each subsystem registers its own
/// at start-up. A null action is skipped; the hotkey's line is still logged when its condition holds.
struct DebugHotkeyActions {
    /// F1: the renderer's collider outlines.
    void (*toggleColliderOutlines)() = nullptr;
    /// F2 and F3 work only while this reports that the SystemManager exists.
    bool (*systemManagerExists)() = nullptr;
    /// F2: the quadtree outlines.
    void (*toggleQuadtreeOutlines)() = nullptr;
    /// F3 leaves a dialogue alone while the pause menu is open.
    bool (*gamePaused)() = nullptr;
    bool (*dialogueActive)() = nullptr;
    void (*advanceDialogue)() = nullptr;
    /// F4: the frame overlay.
    void (*toggleFrameOverlay)() = nullptr;
    /// F5: re-reads the content from disk and rebuilds the scene.
    void (*reloadContent)() = nullptr;
    /// F12, with or without left shift: saves the frame as a picture.
    void (*takeScreenshot)() = nullptr;
};

/// The debug console (one command line per opening, typed into the terminal the game was started
/// from) and the debug hotkeys, both reached while left shift is held.
class DebugConsole {
  public:
    /// Asks whether a key or mouse button (GLFW code) is in a given state this frame.
    using KeyQuery = std::function<bool(int code)>;

    /// Reads from standard input when it is a terminal; writes to standard output.
    DebugConsole();
    /// `interactive`: whether a person can type into `in`. Without one, nothing is ever read.
    DebugConsole(std::istream& in, std::ostream& out, bool interactive);

    /// The frame's debug hooks: F12 asks for a screenshot; while left shift is held, prints the
    /// console banner and (once the engine is up) reads a command when the grave accent went down
    /// this frame, then checks the hotkeys.
    void update(const KeyQuery& pressed, const KeyQuery& triggered);

    /// Reads one command line and runs it. Blocks while a terminal waits for the line; returns at
    /// once when there is no terminal or its input has ended (logged once at LOW).
    void readCommand();

    /// Runs one command line: the command word (case does not matter), a space, the argument.
    void runCommand(std::string_view line);

    /// Checks F1, F2, F3, F4, F5 and F11 in that order, each acting on the frame its key went down.
    void checkHotkeys(const KeyQuery& triggered);

    void setHotkeyActions(const DebugHotkeyActions& actions) { hotkeyActions = actions; }

    /// Advances the active dialogue until it ends, unless the game is paused. After
    /// kDialogueSkipWarningInterval advances it warns and stops. Returns the number of advances.
    size_t skipDialogue();

    static constexpr size_t kDialogueSkipWarningInterval = 65535;

  private:
    std::istream& in;
    std::ostream& out;
    bool interactive;
    bool reportedNoInput = false;
    DebugHotkeyActions hotkeyActions;
};

} // namespace Qel
