#pragma once

#include <array>

namespace ContentGen {

/// The dungeon tile atlas: 16 x 16 pixel tiles side by side in one row, one world unit each.
/// Floors come first; the prefabs pick a tile by its index.
enum class Tile : int {
    FloorA,
    FloorB,
    FloorAsh,
    FloorEmber,
    WallTop,
    WallFace,
    WallSconce,
    FloorRubble,
    Count
};

inline constexpr int kTilePixels = 16;
inline constexpr int kTileCount = static_cast<int>(Tile::Count);
inline constexpr std::array<const char*, kTileCount> kTileNames{
    {"FloorA", "FloorB", "FloorAsh", "FloorEmber", "WallTop", "WallFace", "WallSconce", "FloorRubble"}};

/// Texture-coordinate width of one tile in the atlas.
inline constexpr double kTileUvWidth = 1.0 / kTileCount;

} // namespace ContentGen
