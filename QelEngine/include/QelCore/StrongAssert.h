#pragma once

#include <string>

namespace Qel {

/// Exit code of a strong assertion (the shell sees 187).
constexpr int kStrongAssertExitCode = -69;

/// Text of a strong assertion line: message, file name after its last separator, line, function.
std::string strongAssertText(const std::string& message, const char* file, int line, const char* function);

/// Logs the message, saves the log to "logs/log_latest.txt", tears the engine down and exits
/// with kStrongAssertExitCode. For unrecoverable programming and start-up errors only. On a thread
/// that hands its assertions over (see HandOverStrongAsserts) it throws HandedOverStrongAssert.
[[noreturn]] void strongAssert(const std::string& message, const char* file, int line, const char* function);

/// strongAssert with its line already built: how the main thread raises an assertion that a
/// loading worker handed over.
[[noreturn]] void raiseStrongAssert(const std::string& text);

/// Tears the engine down after a strong assertion; the log manager, if still alive afterwards, is
/// deleted by the assertion itself so that the dump is written.
using StrongAssertShutdown = void (*)();

/// Installs the teardown a strong assertion runs (the engine registers its own); null for none.
void setStrongAssertShutdown(StrongAssertShutdown shutdown);

/// What a strong assertion raised on a handing-over thread throws: its finished line. Caught by
/// whoever runs the thread, which hands the text to the main thread; it never crosses further.
struct HandedOverStrongAssert {
    std::string text;
};

/// While alive, strong assertions raised on the constructing thread are thrown as
/// HandedOverStrongAssert instead of tearing the engine down from under the main thread.
class HandOverStrongAsserts {
public:
    HandOverStrongAsserts();
    ~HandOverStrongAsserts();
    HandOverStrongAsserts(const HandOverStrongAsserts&) = delete;
    HandOverStrongAsserts& operator=(const HandOverStrongAsserts&) = delete;

private:
    bool previous;
};

} // namespace Qel

#define QEL_STRONG_ASSERT(message) ::Qel::strongAssert((message), __FILE__, __LINE__, __PRETTY_FUNCTION__)
#define QEL_ASSERT(condition, message)                                                                   \
    do {                                                                                                 \
        if (!(condition)) QEL_STRONG_ASSERT(message);                                                    \
    } while (0)
