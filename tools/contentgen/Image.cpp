#include "Image.h"

#include <stb_image_write.h>

#include <algorithm>
#include <cmath>

namespace ContentGen {

Rgba mix(Rgba from, Rgba to, float t) {
    const auto lerp = [t](uint8_t a, uint8_t b) {
        return static_cast<uint8_t>(std::lround(static_cast<float>(a) + (static_cast<float>(b) - a) * t));
    };
    return {lerp(from.r, to.r), lerp(from.g, to.g), lerp(from.b, to.b), lerp(from.a, to.a)};
}

Image::Image(int width, int height, Rgba fill)
    : w(width), h(height), pixels(static_cast<size_t>(width) * static_cast<size_t>(height), fill) {}

Rgba Image::get(int x, int y) const {
    return contains(x, y) ? pixels[static_cast<size_t>(y) * w + x] : Rgba{};
}

void Image::set(int x, int y, Rgba colour) {
    if (contains(x, y)) pixels[static_cast<size_t>(y) * w + x] = colour;
}

void Image::blend(int x, int y, Rgba colour, float coverage) {
    if (!contains(x, y)) return;
    const float srcA = colour.a / 255.0f * std::clamp(coverage, 0.0f, 1.0f);
    if (srcA <= 0.0f) return;
    Rgba& dst = pixels[static_cast<size_t>(y) * w + x];
    const float dstA = dst.a / 255.0f;
    const float outA = srcA + dstA * (1.0f - srcA);
    const auto channel = [&](uint8_t s, uint8_t d) {
        const float value = (s * srcA + d * dstA * (1.0f - srcA)) / outA;
        return static_cast<uint8_t>(std::lround(std::clamp(value, 0.0f, 255.0f)));
    };
    dst = {channel(colour.r, dst.r), channel(colour.g, dst.g), channel(colour.b, dst.b),
           static_cast<uint8_t>(std::lround(outA * 255.0f))};
}

void Image::draw(const Image& source, int x, int y) {
    for (int sy = 0; sy < source.h; ++sy)
        for (int sx = 0; sx < source.w; ++sx)
            blend(x + sx, y + sy, source.get(sx, sy));
}

Image Image::scaled(int factor) const {
    Image out(w * factor, h * factor);
    for (int y = 0; y < out.h; ++y)
        for (int x = 0; x < out.w; ++x)
            out.set(x, y, get(x / factor, y / factor));
    return out;
}

Image Image::crop(int x, int y, int width, int height) const {
    Image out(width, height);
    for (int cy = 0; cy < height; ++cy)
        for (int cx = 0; cx < width; ++cx)
            out.set(cx, cy, get(x + cx, y + cy));
    return out;
}

bool Image::writePng(const std::filesystem::path& path) const {
    std::filesystem::create_directories(path.parent_path());
    return stbi_write_png(path.string().c_str(), w, h, 4, pixels.data(), w * 4) != 0;
}

} // namespace ContentGen
