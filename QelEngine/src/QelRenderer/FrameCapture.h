#pragma once

#include <filesystem>

namespace Qel {

/// Writes the frame drawn so far into the window's back buffer (before the swap shows it) to
/// `path` as an RGB PNG at the window's framebuffer size. False, logged, when there is no window
/// or the file cannot be written. Needs a current OpenGL context.
bool saveFrameAsPng(const std::filesystem::path& path);

} // namespace Qel
