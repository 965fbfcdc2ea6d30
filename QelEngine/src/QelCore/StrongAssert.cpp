#include "QelCore/StrongAssert.h"

#include "QelCore/LogManager.h"
#include "QelCore/QelSystems.h"

#include <cstdlib>
#include <iostream>
#include <string_view>

namespace Qel {

std::string strongAssertText(const std::string& message, const char* file, int line, const char* function) {
    std::string_view path(file ? file : "");
    const size_t separator = path.find_last_of("\\/");
    if (separator != std::string_view::npos) path.remove_prefix(separator + 1);
    return "[STRONG ASSERT TRIGGERED] " + message + " in file: " + std::string(path) + ", line " +
           std::to_string(line) + ". Function: " + (function ? function : "");
}

void strongAssert(const std::string& message, const char* file, int line, const char* function) {
    // An assertion raised while tearing down after another one must not tear down again.
    static bool tearingDown = false;
    const std::string text = strongAssertText(message, file, line, function);
    if (tearingDown) {
        std::cerr << text << std::endl;
        std::_Exit(kStrongAssertExitCode);
    }
    tearingDown = true;

    log(LOG_CRITICAL, text);
    if (LogManager* logManager = LogManager::instance()) {
        logManager->requestDumpAtExit();
        logManager->openDumpFile("logs/log_latest.txt");
    }
    Systems::deleteManagers();
    delete Systems::instance();
    std::exit(kStrongAssertExitCode);
}

} // namespace Qel
