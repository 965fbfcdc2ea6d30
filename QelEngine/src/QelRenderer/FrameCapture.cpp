#include "QelRenderer/FrameCapture.h"

#include "QelCore/LogManager.h"
#include "QelCore/WindowHandler.h"
#include "QelRenderer/ScreenshotFiles.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

namespace Qel {

bool saveFrameAsPng(const std::filesystem::path& path) {
    WindowHandler* window = WindowHandler::instance();
    ScreenshotImage image;
    if (window) glfwGetFramebufferSize(window->getWindow(), &image.size.x, &image.size.y);
    if (image.size.x <= 0 || image.size.y <= 0) {
        logf(LOG_CRITICAL, "Frame not saved to %s: there is no window to read", path.string().c_str());
        return false;
    }
    GLint readFramebuffer = 0;
    glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &readFramebuffer);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    image.rgba.resize(static_cast<size_t>(image.size.x) * static_cast<size_t>(image.size.y) * 4);
    glReadPixels(0, 0, image.size.x, image.size.y, GL_RGBA, GL_UNSIGNED_BYTE, image.rgba.data());
    glBindFramebuffer(GL_READ_FRAMEBUFFER, static_cast<GLuint>(readFramebuffer));

    // Synchronous: the replay quits right after this frame.
    if (const std::optional<std::string> failure = writeScreenshotPng(path, image)) {
        logf(LOG_CRITICAL, "Frame not saved to %s: %s", path.string().c_str(), failure->c_str());
        return false;
    }
    return true;
}

} // namespace Qel
