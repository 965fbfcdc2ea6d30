#pragma once

#include "QelCore/LogManager.h"

/// A real log, told to drop everything but CRITICAL lines, so message formatting runs during
/// fuzzing without flooding the output. Created once per process.
inline void installQuietLog() {
    static Qel::LogManager* quiet = [] {
        auto* log = new Qel::LogManager();
        log->setAddPriority(Qel::LOG_CRITICAL);
        log->setEchoPriority(Qel::LOG_CRITICAL);
        return log;
    }();
    (void)quiet;
}
