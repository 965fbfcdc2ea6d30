#include "QelCore/WindowHandler.h"

#include "QelCore/Cursors.h"
#include "QelCore/LogManager.h"
#include "QelCore/MonitorPlacement.h"
#include "QelCore/StrongAssert.h"
#include "data/NameHash.h"
#include "messaging/MessageManager.h"

#define GLFW_INCLUDE_NONE
#include <GL/gl.h>
#include <GLFW/glfw3.h>

#include <vector>

namespace Qel {

namespace {

void onSetCursor(Message& message) {
    const auto* args = message.argsAs<uint64_t>();
    WindowHandler* handler = WindowHandler::instance();
    if (!args || !handler) return;
    handler->setCursor(std::get<0>(*args));
}

bool glfwIsInitialised() {
    glfwGetError(nullptr);
    glfwGetCurrentContext();
    return glfwGetError(nullptr) != GLFW_NOT_INITIALIZED;
}

} // namespace

WindowHandler::WindowHandler() {
    const bool initialised = glfwIsInitialised();
    if (initialised && glfwGetCurrentContext()) QEL_STRONG_ASSERT("Current context already has window.");
    if (!initialised) {
        log(LOG_LOW, "Initializing GLFW");
        if (!glfwInit()) QEL_STRONG_ASSERT("GLFW Failed to initialize");
    }

    glfwDefaultWindowHints();
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 4);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 5);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    glfwWindowHint(GLFW_DOUBLEBUFFER, GLFW_TRUE);
    glfwWindowHint(GLFW_RED_BITS, 8);
    glfwWindowHint(GLFW_GREEN_BITS, 8);
    glfwWindowHint(GLFW_BLUE_BITS, 8);
    glfwWindowHint(GLFW_ALPHA_BITS, 8);
    glfwWindowHint(GLFW_RESIZABLE, GLFW_FALSE);

    window = glfwCreateWindow(kDefaultWidth, kDefaultHeight, "Ember Deep", nullptr, nullptr);
    if (!window) QEL_STRONG_ASSERT("GLFW failed to create window");
    glfwMakeContextCurrent(window);
    flags &= ~kFlagFullscreen;

    MessageManager* messages = MessageManager::instance();
    if (!messages) QEL_STRONG_ASSERT("MessageManager invalid, cannot initialize window handler");
    BroadcastReceiver* receiver = messages->getReceiver(hashName("WindowHandler"));
    if (!receiver) QEL_STRONG_ASSERT("Failed to set up WindowHandler message receiver");
    receiver->addHandler(hashName("setCursor"), onSetCursor);
}

WindowHandler::~WindowHandler() {
    if (window) glfwDestroyWindow(window);
    glfwTerminate();
}

bool WindowHandler::shouldClose() const {
    return glfwWindowShouldClose(window);
}

void WindowHandler::pollEvents() {
    glfwPollEvents();
}

void WindowHandler::swapBuffers() {
    glfwSwapBuffers(window);
}

void WindowHandler::setTitle(const char* title) {
    glfwSetWindowTitle(window, title);
}

void WindowHandler::setFullscreen(bool on) {
    GLFWmonitor* monitor = getMonitorWindowIsMostlyOn();
    const GLFWvidmode* mode = glfwGetVideoMode(monitor);
    if (!mode) {
        log(LOG_HIGH, "Unable to read the monitor's video mode, display mode unchanged");
        return;
    }
    if (on) {
        flags |= kFlagFullscreen;
        glfwSetWindowMonitor(window, monitor, 0, 0, mode->width, mode->height, mode->refreshRate);
        glViewport(0, 0, mode->width, mode->height);
        notifyResized(mode->width, mode->height);
        return;
    }
    flags &= ~kFlagFullscreen;
    ScreenRect area{0, 0, mode->width, mode->height};
    glfwGetMonitorPos(monitor, &area.x, &area.y);
    const glm::ivec2 corner = centredWindowPosition(area, width, height);
    glfwSetWindowMonitor(window, nullptr, corner.x, corner.y, width, height, mode->refreshRate);
    glViewport(0, 0, width, height);
    notifyResized(width, height);
}

GLFWmonitor* WindowHandler::getMonitorWindowIsMostlyOn() const {
    if (GLFWmonitor* own = glfwGetWindowMonitor(window)) return own;

    int count = 0;
    GLFWmonitor** monitors = glfwGetMonitors(&count);
    if (!monitors || count <= 0) QEL_STRONG_ASSERT("Failed to get monitor data");

    ScreenRect windowArea;
    glfwGetWindowPos(window, &windowArea.x, &windowArea.y);
    glfwGetWindowSize(window, &windowArea.width, &windowArea.height);

    std::vector<ScreenRect> monitorAreas(static_cast<size_t>(count));
    for (size_t i = 0; i < monitorAreas.size(); ++i) {
        glfwGetMonitorPos(monitors[i], &monitorAreas[i].x, &monitorAreas[i].y);
        if (const GLFWvidmode* mode = glfwGetVideoMode(monitors[i])) {
            monitorAreas[i].width = mode->width;
            monitorAreas[i].height = mode->height;
        }
    }
    // A window dragged off every monitor still needs a monitor to switch on.
    const auto best = monitorMostlyHolding(windowArea, monitorAreas);
    return best ? monitors[*best] : glfwGetPrimaryMonitor();
}

void WindowHandler::setCursor(uint64_t key) {
    glfwSetCursor(window, findCursor(key));
}

void WindowHandler::setWindowedSize(int newWidth, int newHeight) {
    width = newWidth;
    height = newHeight;
    if (!isFullscreen()) glfwSetWindowSize(window, width, height);
}

glm::ivec2 WindowHandler::getCurrentSize() const {
    glm::ivec2 size{0, 0};
    glfwGetWindowSize(window, &size.x, &size.y);
    return size;
}

void WindowHandler::notifyResized(int width, int height) {
    if (MessageManager* messages = MessageManager::instance()) {
        messages->send(std::make_unique<MessageArgs<int, int>>(hashName("windowResized"), width, height),
                       MessageManager::kBroadcast);
    }
}

} // namespace Qel
