#pragma once

#include "Display.h"
#include "Files.h"
#include "World.h"

#include "QelCore/WindowHandler.h"
#include "QelRenderer/GraphicsEngine.h"

#include <gtest/gtest.h>

namespace Qel::test {

/// The window, its GL 4.5 context and a started graphics engine, made by the first suite that
/// needs them and kept until the process ends: Xvfb resets itself when its last client leaves, and
/// a window opened during that reset fails. Skipped without an X display.
class RendererTest : public testing::Test {
protected:
    static void SetUpTestSuite();
    void SetUp() override { QEL_SKIP_WITHOUT_DISPLAY(); }

    inline static Ref<MessageManager> messages;
    inline static WindowHandler* window = nullptr;
    inline static GraphicsEngine* graphics = nullptr;

private:
    friend class RendererEnvironment;
};

} // namespace Qel::test
