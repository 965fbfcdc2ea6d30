#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

struct lua_State;
struct lua_Debug;

namespace Qel {

/// One Lua 5.4 state with every standard library and the six host functions (dlogLow, dlogMed,
/// dlogHigh, dlogCritical, QelMsgSend, QelMsgImmediate). Engine code calls a global function
/// through fnCallStart (push the arguments on the state it returns) and fnCallSend, and ends
/// every call with fnCallEnd. Every call into Lua is protected and bounded by an instruction
/// budget, so neither an error nor an endless loop escapes. Owns its state; not movable, since
/// the state points back at it.
class LuaScript {
public:
    /// Live states run on the main thread; validation states, made by the loading worker, keep
    /// the two message functions silent because engine handlers must not run on the worker.
    enum class Mode { Live, Validation };

    /// Instructions one call may run before it is stopped as endless.
    static constexpr int64_t kInstructionBudget = 50'000'000;

    explicit LuaScript(Mode mode = Mode::Live);
    ~LuaScript();
    LuaScript(const LuaScript&) = delete;
    LuaScript& operator=(const LuaScript&) = delete;

    /// Runs text as one chunk named "LuaScript"; false (logged) on an error, or when this state
    /// already loaded a text.
    bool load(std::string_view text);

    /// The state to push arguments on when the global `name` is a function, else nullptr (the
    /// caller still ends the call). A call already open is a programming error (strong assertion).
    lua_State* fnCallStart(const char* name);
    /// Calls the function below the nargs pushed arguments; nresults < 0 keeps every result.
    /// False (logged) on a Lua error. The results stay on the stack until fnCallEnd.
    bool fnCallSend(int nargs, int nresults);
    /// Opens a second call on the function the last fnCallSend returned on top of the stack
    /// (onCollide's handler); its arguments are pushed next.
    void fnCallChain();
    /// Empties the stack and closes the call, whatever happened.
    void fnCallEnd();

    /// Whether a call is open on this state: a script running now must not be entered again.
    bool busy() const { return running > 0 || (flags & (kCallStarted | kHasResults)) != 0; }
    bool loaded() const { return (flags & kLoaded) != 0; }
    Mode mode() const { return stateMode; }

    /// Whether the global `name` is a function (read raw: no metamethod runs).
    bool hasFunction(const char* name);
    /// Sets the global `name` to an integer.
    void setInteger(const char* name, int64_t value);
    /// The text of the global `name` when it is a string or a number (a number in Lua's form).
    std::optional<std::string> text(const char* name);

    /// Calls the global `name` with no arguments and no results; false when it is missing or fails.
    bool call(const char* name);
    /// Calls the global `name` with one float (onUpdate's dt, seconds).
    bool call(const char* name, float value);
    /// The two-stage collision call: onCollide(otherTag) returns the handler for that partner,
    /// which gets (kind, other). Nothing more happens when it returns anything but a function.
    void collide(std::string_view otherTag, int kind, uint64_t other);

    /// Names the script in log lines (the script system uses its file names).
    void setName(std::string name) { scriptName = std::move(name); }
    const std::string& name() const { return scriptName; }
    /// Bytes the state has allocated.
    size_t memoryBytes() const;

    lua_State* state() const { return L; }
    /// The LuaScript that owns a state (also reached from the state's coroutines).
    static LuaScript* of(lua_State* state);

private:
    static constexpr uint8_t kLoaded = 1;
    static constexpr uint8_t kCallStarted = 2;
    static constexpr uint8_t kHasResults = 4;

    /// Runs lua_pcall under a fresh instruction budget, logging the error; true on success.
    bool protectedCall(int nargs, int nresults, const char* callback);
    static void countInstructions(lua_State* state, lua_Debug* debug);

    lua_State* L = nullptr;
    uint8_t flags = 0;
    Mode stateMode;
    std::string scriptName = "LuaScript";
    /// The callback being run, for the endless-loop line.
    const char* callback = nullptr;
    const char* openCall = nullptr;
    /// Protected calls of this state on the C stack.
    int running = 0;
    int64_t instructionsLeft = 0;
};

/// Logs a failed protected operation's error object as "[LUA ERROR] : %s" at HIGH and pops it;
/// status 0 is success. Returns whether status was 0.
bool luaErrorCheck(lua_State* state, int status);

} // namespace Qel
