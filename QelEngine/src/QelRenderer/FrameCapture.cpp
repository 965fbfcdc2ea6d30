#include "QelRenderer/FrameCapture.h"

#include "QelCore/LogManager.h"
#include "QelCore/WindowHandler.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <stb_image_write.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace Qel {

bool saveFrameAsPng(const std::filesystem::path& path) {
    WindowHandler* window = WindowHandler::instance();
    int width = 0, height = 0;
    if (window) glfwGetFramebufferSize(window->getWindow(), &width, &height);
    if (width <= 0 || height <= 0) {
        logf(LOG_CRITICAL, "Frame not saved to %s: there is no window to read", path.string().c_str());
        return false;
    }
    GLint readFramebuffer = 0;
    glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &readFramebuffer);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    const size_t row = static_cast<size_t>(width) * 3;
    std::vector<uint8_t> pixels(row * static_cast<size_t>(height));
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    glBindFramebuffer(GL_READ_FRAMEBUFFER, static_cast<GLuint>(readFramebuffer));

    // GL's rows run bottom-up, the file's top-down.
    std::vector<uint8_t> flipped(pixels.size());
    for (int y = 0; y < height; ++y)
        std::memcpy(&flipped[static_cast<size_t>(y) * row],
                    &pixels[static_cast<size_t>(height - 1 - y) * row], row);
    if (stbi_write_png(path.string().c_str(), width, height, 3, flipped.data(), static_cast<int>(row)) == 0) {
        logf(LOG_CRITICAL, "Frame not saved: %s cannot be written", path.string().c_str());
        return false;
    }
    return true;
}

} // namespace Qel
