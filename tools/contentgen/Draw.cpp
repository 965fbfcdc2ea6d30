#include "Draw.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace ContentGen {

void fillRect(Image& image, int x, int y, int width, int height, Rgba colour) {
    for (int py = y; py < y + height; ++py)
        for (int px = x; px < x + width; ++px)
            image.blend(px, py, colour);
}

void strokeRect(Image& image, int x, int y, int width, int height, Rgba colour) {
    fillRect(image, x, y, width, 1, colour);
    fillRect(image, x, y + height - 1, width, 1, colour);
    fillRect(image, x, y + 1, 1, height - 2, colour);
    fillRect(image, x + width - 1, y + 1, 1, height - 2, colour);
}

void line(Image& image, int x0, int y0, int x1, int y1, Rgba colour) {
    const int dx = std::abs(x1 - x0);
    const int dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1;
    const int sy = y0 < y1 ? 1 : -1;
    int error = dx + dy;
    for (;;) {
        image.blend(x0, y0, colour);
        if (x0 == x1 && y0 == y1) return;
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x0 += sx;
        }
        if (twice <= dx) {
            error += dx;
            y0 += sy;
        }
    }
}

void fillEllipse(Image& image, float cx, float cy, float rx, float ry, Rgba colour) {
    const int x0 = static_cast<int>(std::floor(cx - rx));
    const int x1 = static_cast<int>(std::ceil(cx + rx));
    const int y0 = static_cast<int>(std::floor(cy - ry));
    const int y1 = static_cast<int>(std::ceil(cy + ry));
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            const float nx = (x + 0.5f - cx) / rx;
            const float ny = (y + 0.5f - cy) / ry;
            if (nx * nx + ny * ny <= 1.0f) image.blend(x, y, colour);
        }
    }
}

void outline(Image& image, Rgba colour) {
    const Image before = image;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (before.get(x, y).a != 0) continue;
            const bool touches = before.get(x - 1, y).a > 127 || before.get(x + 1, y).a > 127 ||
                                 before.get(x, y - 1).a > 127 || before.get(x, y + 1).a > 127;
            if (touches) image.set(x, y, colour);
        }
    }
}

void glow(Image& image, float cx, float cy, float radius, Rgba colour, float strength) {
    const int x0 = static_cast<int>(std::floor(cx - radius));
    const int y0 = static_cast<int>(std::floor(cy - radius));
    const int size = static_cast<int>(std::ceil(radius * 2.0f)) + 1;
    for (int y = y0; y < y0 + size; ++y) {
        for (int x = x0; x < x0 + size; ++x) {
            const float d = std::hypot(x + 0.5f - cx, y + 0.5f - cy) / radius;
            if (d < 1.0f) image.blend(x, y, colour, strength * (1.0f - d) * (1.0f - d));
        }
    }
}

Rgba dither(int x, int y, Rgba a, Rgba b, float t) {
    static constexpr int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    const float threshold = (kBayer[y & 3][x & 3] + 0.5f) / 16.0f;
    return t > threshold ? b : a;
}

void ditherGradient(Image& image, int x, int y, int width, int height, Rgba top, Rgba bottom) {
    for (int py = 0; py < height; ++py) {
        const float t = height > 1 ? static_cast<float>(py) / static_cast<float>(height - 1) : 0.0f;
        for (int px = 0; px < width; ++px)
            image.set(x + px, y + py, dither(x + px, y + py, top, bottom, t));
    }
}

} // namespace ContentGen
