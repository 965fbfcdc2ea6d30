#include "QelCore/StrongAssert.h"

#include "QelCore/LogManager.h"

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <iostream>
#include <string_view>
#include <thread>

namespace Qel {

namespace {

std::atomic<StrongAssertShutdown> shutdownHook{nullptr};
thread_local bool handingOver = false;

} // namespace

std::string strongAssertText(const std::string& message, const char* file, int line, const char* function) {
    std::string_view path(file ? file : "");
    const size_t separator = path.find_last_of("\\/");
    if (separator != std::string_view::npos) path.remove_prefix(separator + 1);
    return "[STRONG ASSERT TRIGGERED] " + message + " in file: " + std::string(path) + ", line " +
           std::to_string(line) + ". Function: " + (function ? function : "");
}

void strongAssert(const std::string& message, const char* file, int line, const char* function) {
    raiseStrongAssert(strongAssertText(message, file, line, function));
}

void raiseStrongAssert(const std::string& text) {
    if (handingOver) throw HandedOverStrongAssert{text};

    // One thread tears down. An assertion raised by that teardown itself ends the process at once;
    // one raised meanwhile on another thread waits for the teardown to end the process, since the
    // managers it would log through are being deleted.
    static std::atomic<bool> claimed{false};
    static thread_local bool tearingDownHere = false;
    if (tearingDownHere) {
        std::cerr << text << std::endl;
        std::_Exit(kStrongAssertExitCode);
    }
    if (claimed.exchange(true)) {
        std::cerr << text << std::endl;
        for (;;)
            std::this_thread::sleep_for(std::chrono::hours(1));
    }
    tearingDownHere = true;

    log(LOG_CRITICAL, text);
    if (LogManager* logManager = LogManager::instance()) {
        logManager->requestDumpAtExit();
        logManager->openDumpFile("logs/log_latest.txt");
    }
    if (StrongAssertShutdown shutdown = shutdownHook.load()) shutdown();
    // The log is saved even when nothing else was torn down.
    delete LogManager::instance();
    std::exit(kStrongAssertExitCode);
}

void setStrongAssertShutdown(StrongAssertShutdown shutdown) {
    shutdownHook.store(shutdown);
}

HandOverStrongAsserts::HandOverStrongAsserts() : previous(handingOver) {
    handingOver = true;
}

HandOverStrongAsserts::~HandOverStrongAsserts() {
    handingOver = previous;
}

} // namespace Qel
