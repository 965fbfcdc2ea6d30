#pragma once

// Tests that open a window need an X display: run them under
// xvfb-run -a -s "-screen 0 1920x1080x24 -noreset". Without one they are skipped, not failed, so
// the rest of the suite still runs on a machine without X.
#include <gtest/gtest.h>

#include <cstdlib>

namespace Qel::test {

inline bool hasDisplay() {
    return std::getenv("DISPLAY") != nullptr;
}

} // namespace Qel::test

/// Skips the current test when there is no X display.
#define QEL_SKIP_WITHOUT_DISPLAY()                                                                           \
    if (!::Qel::test::hasDisplay()) GTEST_SKIP() << "no X display"
