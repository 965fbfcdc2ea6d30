#include "QelCore/WindowHandler.h"
#include "Display.h"

#include "QelCore/StrongAssert.h"
#include "data/NameHash.h"
#include "messaging/MessageManager.h"

#define GLFW_INCLUDE_NONE
#include <GL/gl.h>
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace Qel {
namespace {

std::vector<glm::ivec2> resizes;

void recordResize(Message& message) {
    if (const auto* args = message.argsAs<int, int>())
        resizes.emplace_back(std::get<0>(*args), std::get<1>(*args));
}

TEST(WindowHandlerTest, FullscreenTogglesBetweenMonitorSizeAndCentredWindowAndCursorsAreHeard) {
    QEL_SKIP_WITHOUT_DISPLAY();
    MessageManager messages;
    WindowHandler handler;
    const auto windowPosition = [&handler] {
        glm::ivec2 position;
        glfwGetWindowPos(handler.getWindow(), &position.x, &position.y);
        return position;
    };
    messages.getReceiver(MessageManager::kBroadcast)->addHandler(hashName("windowResized"), recordResize);
    handler.setFullscreen(true);
    EXPECT_EQ(glfwGetWindowMonitor(handler.getWindow()), glfwGetPrimaryMonitor());
    EXPECT_EQ(handler.getCurrentSize(), glm::ivec2(1920, 1080));
    std::array<GLint, 4> viewport{};
    glGetIntegerv(GL_VIEWPORT, viewport.data());
    EXPECT_EQ(viewport, (std::array<GLint, 4>{0, 0, 1920, 1080}));

    // A windowed size set while fullscreen waits for the switch back.
    handler.setWindowedSize(800, 600);
    EXPECT_EQ(handler.getCurrentSize(), glm::ivec2(1920, 1080));
    handler.setFullscreen(false);
    EXPECT_EQ(handler.getCurrentSize(), glm::ivec2(800, 600));
    EXPECT_EQ(windowPosition(), glm::ivec2(560, 240));
    // Each switch is announced to the broadcast receiver at the next dispatch, not before.
    EXPECT_TRUE(resizes.empty());
    messages.dispatchAll();
    EXPECT_EQ(resizes, (std::vector<glm::ivec2>{{1920, 1080}, {800, 600}}));

    handler.setWindowedSize(1280, 720);
    // Dragged off every monitor, the window comes back to the primary one.
    glfwSetWindowPos(handler.getWindow(), 5000, 5000);
    EXPECT_EQ(handler.getMonitorWindowIsMostlyOn(), glfwGetPrimaryMonitor());
    handler.setFullscreen(false);
    EXPECT_EQ(windowPosition(), glm::ivec2(320, 180));

    // An unknown key selects the standard arrow; the window's own receiver handles the message.
    MessageArgs<uint64_t> request(hashName("setCursor"), hashName("no such cursor"));
    EXPECT_EQ(messages.sendImmediate(request, hashName("WindowHandler")), 1u);
    // One window a context.
    EXPECT_EXIT(WindowHandler(), testing::ExitedWithCode(static_cast<unsigned char>(kStrongAssertExitCode)),
                "Current context already has window\\.");
}

} // namespace
} // namespace Qel
