#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace ContentGen {

struct Rgba {
    uint8_t r = 0, g = 0, b = 0, a = 0;
    bool operator==(const Rgba&) const = default;
};

/// Linear mix of two colours, t in 0..1 (alpha mixed too).
Rgba mix(Rgba from, Rgba to, float t);

/// An RGBA8 picture, row 0 at the top (as PNG stores it). Writes outside the picture are ignored,
/// so shapes may overhang the edges.
class Image {
public:
    Image() = default;
    Image(int width, int height, Rgba fill = {});

    int width() const { return w; }
    int height() const { return h; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < w && y < h; }

    Rgba get(int x, int y) const;
    void set(int x, int y, Rgba colour);
    /// Source-over blend of colour, its alpha scaled by coverage (0..1).
    void blend(int x, int y, Rgba colour, float coverage = 1.0f);
    /// Source-over blend of a whole picture with its top-left corner at (x, y).
    void draw(const Image& source, int x, int y);

    /// Every pixel repeated factor x factor times: pixel art at a larger scale.
    Image scaled(int factor) const;
    /// The sub-picture of size w x h at (x, y).
    Image crop(int x, int y, int width, int height) const;

    /// Writes a PNG; the same picture always gives the same bytes.
    bool writePng(const std::filesystem::path& path) const;

private:
    int w = 0;
    int h = 0;
    std::vector<Rgba> pixels;
};

} // namespace ContentGen
