#include "QelRenderer/ScreenshotFiles.h"

#include <stb_image_write.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <system_error>

namespace Qel {

namespace {

void appendBytes(void* context, void* data, int size) {
    auto* out = static_cast<std::vector<uint8_t>*>(context);
    const auto* bytes = static_cast<const uint8_t*>(data);
    out->insert(out->end(), bytes, bytes + size);
}

/// Top row first, alpha dropped: the window is opaque whatever alpha the passes left behind.
std::vector<uint8_t> uprightRgb(const ScreenshotImage& image) {
    const auto width = static_cast<size_t>(image.size.x);
    const auto height = static_cast<size_t>(image.size.y);
    std::vector<uint8_t> rgb(width * height * 3);
    for (size_t row = 0; row < height; ++row) {
        const uint8_t* source = image.rgba.data() + (height - 1 - row) * width * 4;
        uint8_t* target = rgb.data() + row * width * 3;
        for (size_t x = 0; x < width; ++x)
            std::memcpy(target + x * 3, source + x * 4, 3);
    }
    return rgb;
}

/// The last failed call's reason (errno), safe to ask from any thread.
std::string systemError() {
    return std::error_code(errno, std::generic_category()).message();
}

} // namespace

std::string screenshotFileName(const std::tm& when, unsigned repeat) {
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d_%H-%M-%S", &when);
    std::string name = stamp;
    if (repeat > 0) name += "_" + std::to_string(repeat + 1);
    return name + ".png";
}

std::optional<std::string> writeScreenshotPng(const std::filesystem::path& path,
                                              const ScreenshotImage& image) {
    if (image.size.x <= 0 || image.size.y <= 0 ||
        image.rgba.size() != static_cast<size_t>(image.size.x) * static_cast<size_t>(image.size.y) * 4)
        return "the image read back from the window is empty";
    const std::vector<uint8_t> rgb = uprightRgb(image);
    std::vector<uint8_t> png;
    if (stbi_write_png_to_func(appendBytes, &png, image.size.x, image.size.y, 3, rgb.data(),
                               image.size.x * 3) == 0)
        return "PNG encoding failed";

    std::error_code error;
    // A bare file name lives in the working folder, which exists.
    if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path(), error);
    if (error) return "cannot create " + path.parent_path().string() + ": " + error.message();
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return systemError();
    const bool written = std::fwrite(png.data(), 1, png.size(), file) == png.size();
    std::string reason = written ? "" : systemError();
    if (std::fclose(file) != 0 && written) reason = systemError();
    if (reason.empty()) return std::nullopt;
    std::filesystem::remove(path, error);
    return reason;
}

} // namespace Qel
