#pragma once

#include "QelCore/Singleton.h"

#include <glm/vec2.hpp>

#include <cstdint>

struct GLFWwindow;
struct GLFWmonitor;

namespace Qel {

/// Owns the game's one window and its OpenGL 4.5 core context. Switches between windowed mode
/// (at the stored windowed size) and fullscreen on the monitor that holds most of the window.
/// Sizes are in screen coordinates.
class WindowHandler : public Singleton<WindowHandler> {
public:
    static constexpr int kDefaultWidth = 1280;
    static constexpr int kDefaultHeight = 720;
    static constexpr uint32_t kFlagFullscreen = 1;

    /// Initialises GLFW when needed, creates the 1280 x 720 window and makes its context current.
    /// Failures are strong assertions.
    WindowHandler();
    /// Destroys the window and terminates GLFW.
    ~WindowHandler() override;

    GLFWwindow* getWindow() const { return window; }
    bool shouldClose() const;
    void pollEvents();
    void swapBuffers();
    void setTitle(const char* title);

    /// Fullscreen at the monitor's current video mode, or windowed at the stored size centred on
    /// that monitor. Sets the viewport and reports the new size.
    void setFullscreen(bool on);
    bool isFullscreen() const { return (flags & kFlagFullscreen) != 0; }

    /// The window's monitor when fullscreen, else the monitor sharing the largest area with the
    /// window (the first listed on a tie); the primary monitor when it overlaps none.
    GLFWmonitor* getMonitorWindowIsMostlyOn() const;

    /// Shows the registered cursor under key; "default" or an unknown key shows the standard arrow.
    void setCursor(uint64_t key);

    int getWindowedWidth() const { return width; }
    int getWindowedHeight() const { return height; }
    /// Stores the windowed size and, when windowed, resizes the window to it at once. Does not
    /// report the new size: the caller decides whether to.
    void setWindowedSize(int newWidth, int newHeight);

    /// The window's size right now: the windowed size, or the video mode's when fullscreen.
    glm::ivec2 getCurrentSize() const;

private:
    /// The one place that announces a new window size to the rest of the engine.
    void notifyResized(int newWidth, int newHeight);

    GLFWwindow* window = nullptr;
    int width = kDefaultWidth;
    int height = kDefaultHeight;
    uint32_t flags = 0;
};

} // namespace Qel
