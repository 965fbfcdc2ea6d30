#pragma once

#include "Image.h"

#include <array>
#include <cstdint>

namespace ContentGen {

/// The game's one palette: warm embers on dark stone. Every generated pixel comes from it (or a
/// blend of two of its colours for anti-aliased text and glows).
enum class Pal : uint8_t {
    Void,
    StoneDarkest,
    StoneDark,
    StoneMid,
    StoneLight,
    StoneHighlight,
    Ash,
    Bone,
    EmberDeep,
    EmberRed,
    EmberOrange,
    Flame,
    FlameYellow,
    Spark,
    Teal,
    Soot,
};

inline constexpr std::array<Rgba, 16> kPalette{{
    {13, 11, 14, 255},
    {28, 23, 25, 255},
    {43, 35, 38, 255},
    {61, 50, 54, 255},
    {87, 74, 75, 255},
    {122, 106, 102, 255},
    {168, 154, 142, 255},
    {232, 220, 203, 255},
    {110, 26, 26, 255},
    {168, 40, 30, 255},
    {224, 86, 27, 255},
    {240, 138, 36, 255},
    {255, 201, 74, 255},
    {255, 240, 176, 255},
    {63, 127, 134, 255},
    {74, 44, 31, 255},
}};

/// The palette colour, optionally with another alpha.
inline Rgba pal(Pal colour, uint8_t alpha = 255) {
    Rgba c = kPalette[static_cast<size_t>(colour)];
    c.a = alpha;
    return c;
}

/// Palette colour as 0..1 floats, for colours written into scene files.
struct Colour4 {
    double r, g, b, a;
};
inline Colour4 palFloat(Pal colour, double alpha = 1.0) {
    const Rgba c = pal(colour);
    return {c.r / 255.0, c.g / 255.0, c.b / 255.0, alpha};
}

} // namespace ContentGen
