#pragma once

#include <glm/vec2.hpp>

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace Qel {

/// One frame read back from the window: RGBA bytes, rows from the bottom up as GL reads them.
struct ScreenshotImage {
    glm::ivec2 size{0, 0};
    std::vector<uint8_t> rgba;
};

/// "2026-12-07_18-04-31.png" for the local time `when`; a second shot of the same second (`repeat`
/// 1 and up) gets "_2", "_3"... before the extension.
std::string screenshotFileName(const std::tm& when, unsigned repeat);

/// Encodes the image as an opaque RGB PNG with its top row first and writes it to path, creating
/// its folder. Returns why it failed, or nothing on success; a partly written file is removed.
std::optional<std::string> writeScreenshotPng(const std::filesystem::path& path,
                                              const ScreenshotImage& image);

} // namespace Qel
