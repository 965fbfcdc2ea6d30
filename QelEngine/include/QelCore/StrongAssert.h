#pragma once

#include <string>

namespace Qel {

/// Exit code of a strong assertion (the shell sees 187).
constexpr int kStrongAssertExitCode = -69;

/// Text of a strong assertion line: message, file name after its last separator, line, function.
std::string strongAssertText(const std::string& message, const char* file, int line, const char* function);

/// Logs the message, saves the log to "logs/log_latest.txt", tears the engine down and exits
/// with kStrongAssertExitCode. For unrecoverable programming and start-up errors only.
[[noreturn]] void strongAssert(const std::string& message, const char* file, int line, const char* function);

} // namespace Qel

#define QEL_STRONG_ASSERT(message) ::Qel::strongAssert((message), __FILE__, __LINE__, __PRETTY_FUNCTION__)
#define QEL_ASSERT(condition, message)                                                                   \
    do {                                                                                                 \
        if (!(condition)) QEL_STRONG_ASSERT(message);                                                    \
    } while (0)
