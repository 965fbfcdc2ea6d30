#pragma once

#include "QelAudio/AudioSettings.h"
#include "QelCore/DebugConsole.h"
#include "QelCore/Singleton.h"

#include <cstddef>
#include <cstdint>
#include <unordered_map>

namespace Qel {

/// Next-state id that ends the main loop.
constexpr uint64_t GS_QUIT = 0;
/// Next-state id that re-runs the current state's free and init, without unload and load.
constexpr uint64_t GS_RESTART = ~0ULL;

using StateFunction = void (*)();

/// The six functions of one game state.
struct StateFunctions {
    StateFunction load = nullptr;
    StateFunction init = nullptr;
    StateFunction update = nullptr;
    StateFunction draw = nullptr;
    StateFunction free = nullptr;
    StateFunction unload = nullptr;
};

/// The program's state machine and the driver of its main loop. Pauses the game while the window
/// has no focus.
class GameStateManager : public Singleton<GameStateManager> {
  public:
    using FrameFunction = void (*)(GameStateManager&);

    GameStateManager();

    /// Registers a state and returns its id. Ids are handed out by this manager from 1 up, so a new
    /// manager starts again at 1. Strong assertion when no manager exists.
    static uint64_t addGameState(StateFunction load, StateFunction init, StateFunction update,
                                 StateFunction draw, StateFunction free, StateFunction unload);

    /// Installs the window-focus callback that switches between the normal and the poll-only frame.
    /// Strong assertion when no WindowHandler exists.
    static void setWindowFocusPauseCallback();

    /// Points the active functions at the current state's. Strong assertion if it is not registered.
    void UpdateGameStates();

    /// The main loop, from the state `first` until the next state is GS_QUIT or the window asks to
    /// close. Returns then; deleting Systems is the caller's job.
    void run(uint64_t first);

    /// What the focus callback does: poll-only frames while unfocused, normal frames with focus.
    void onWindowFocus(bool focused);

    /// One frame with focus: clear, poll (the events recorded, or a replay's fed instead), input,
    /// debug hooks, update, queued messages, draw, audio, the renderer's frame overlay and
    /// screenshot, the replay's screenshot, frame end.
    static void normalFrame(GameStateManager& manager);
    /// One frame without focus: only window events are polled (and recorded or replayed).
    static void pollOnlyFrame(GameStateManager& manager);

    void setNext(uint64_t id) { next = id; }
    uint64_t getCurrent() const { return current; }
    uint64_t getNext() const { return next; }
    uint64_t getPrevious() const { return previous; }
    FrameFunction getFrameFunction() const { return frameFunction; }
    DebugConsole& getDebugConsole() { return console; }

    /// Audio settings kept while the window is unfocused.
    AudioSettings savedAudio;

  private:
    /// FNV-1a over the id's 8 bytes.
    struct IdHash {
        size_t operator()(uint64_t id) const;
    };

    uint64_t current = GS_QUIT;
    uint64_t next = GS_QUIT;
    uint64_t previous = GS_QUIT;
    std::unordered_map<uint64_t, StateFunctions, IdHash> states;
    const StateFunctions* active = nullptr;
    FrameFunction frameFunction = normalFrame;
    uint64_t nextStateId = 1;
    DebugConsole console;
};

/// Requests the next game state; it takes effect after the current frame. Logged at CRITICAL and
/// ignored when no GameStateManager exists.
void setNextGameState(uint64_t id);

} // namespace Qel
