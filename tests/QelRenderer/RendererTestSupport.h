#pragma once

#include "QelCore/WindowHandler.h"
#include "QelRenderer/GraphicsEngine.h"
#include "messaging/MessageManager.h"

#include <gtest/gtest.h>
#include <stb_image_write.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace Qel::test {

/// A fresh folder below the test process's private user folder.
inline std::filesystem::path scratchFolder(const std::string& name) {
    const std::filesystem::path folder = std::filesystem::path(std::getenv("XDG_DATA_HOME")) / name;
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
}

inline void writeText(const std::filesystem::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

/// Writes a PNG of width x height pixels, rows top to bottom, channels bytes per pixel.
inline void writePng(const std::filesystem::path& path, int width, int height, int channels,
                     const std::vector<uint8_t>& pixels) {
    ASSERT_NE(stbi_write_png(path.c_str(), width, height, channels, pixels.data(), width * channels), 0);
}

/// The window, its GL 4.5 context and a started graphics engine, made by the first suite that
/// needs them and kept until the process ends: Xvfb resets itself when its last client leaves, and
/// a window opened during that reset fails.
/// Needs an X display: run under xvfb-run -a -s "-screen 0 1920x1080x24".
class RendererTest : public testing::Test {
protected:
    static void SetUpTestSuite();
    void SetUp() override {
        if (!window) GTEST_SKIP() << "no X display";
    }

    inline static MessageManager* messages = nullptr;
    inline static WindowHandler* window = nullptr;
    inline static GraphicsEngine* graphics = nullptr;

private:
    friend class RendererEnvironment;
};

} // namespace Qel::test
