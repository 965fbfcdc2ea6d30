// The dungeon tile atlas and its glow map (the emission texture of the tiles that burn).
#include "Content.h"
#include "Draw.h"
#include "Palette.h"
#include "Rng.h"
#include "TileSet.h"

#include <algorithm>
#include <string>
#include <vector>

namespace ContentGen {

namespace {

constexpr int T = kTilePixels;

/// Flagstones: mortar on the top and left edges only, so neighbouring tiles close the joints.
void flagstones(Image& tile, Rng& rng, bool offsetSlabs) {
    fillRect(tile, 0, 0, T, T, pal(Pal::StoneMid));
    for (int i = 0; i < 26; ++i)
        tile.set(rng.range(1, T - 1), rng.range(1, T - 1),
                 pal(rng.chance(0.55f) ? Pal::StoneDark : Pal::StoneLight));
    fillRect(tile, 0, 0, T, 1, pal(Pal::StoneDarkest));
    fillRect(tile, 0, 0, 1, T, pal(Pal::StoneDarkest));
    if (offsetSlabs) {
        fillRect(tile, 0, 9, T, 1, pal(Pal::StoneDarkest));
        fillRect(tile, 10, 0, 1, 9, pal(Pal::StoneDarkest));
        fillRect(tile, 5, 10, 1, T - 10, pal(Pal::StoneDarkest));
    } else {
        fillRect(tile, 0, 8, T, 1, pal(Pal::StoneDarkest));
        fillRect(tile, 8, 0, 1, T, pal(Pal::StoneDarkest));
    }
    // A worn highlight just inside each slab's upper-left joint.
    for (int x = 1; x < T; ++x)
        if (tile.get(x, 1) == pal(Pal::StoneMid) && rng.chance(0.5f)) tile.set(x, 1, pal(Pal::StoneLight));
}

/// Drifts of pale ash over the slabs.
void ash(Image& tile, Rng& rng) {
    for (int i = 0; i < 2; ++i) {
        const float cx = static_cast<float>(rng.range(4, T - 4));
        const float cy = static_cast<float>(rng.range(4, T - 4));
        fillEllipse(tile, cx, cy, 3.5f, 2.5f, pal(Pal::StoneLight));
        fillEllipse(tile, cx - 0.5f, cy - 0.5f, 2.0f, 1.2f, pal(Pal::Ash));
    }
}

/// A crack that glows: dark edges, a molten line, hot spots; the glow map gets the hot pixels.
void emberCrack(Image& tile, Image& glowTile, Rng& rng) {
    int x = 2, y = rng.range(4, 11);
    while (x < T - 1) {
        tile.set(x, y + 1, pal(Pal::Soot));
        tile.set(x, y, pal(Pal::EmberRed));
        glowTile.set(x, y, pal(Pal::EmberOrange));
        if (rng.chance(0.35f)) {
            tile.set(x, y, pal(Pal::Flame));
            glowTile.set(x, y, pal(Pal::Flame));
        }
        ++x;
        if (rng.chance(0.4f)) y += rng.chance(0.5f) ? 1 : -1;
        y = std::clamp(y, 2, T - 3);
    }
}

void rubble(Image& tile, Rng& rng) {
    for (int i = 0; i < 4; ++i) {
        const int cx = rng.range(3, T - 4);
        const int cy = rng.range(3, T - 4);
        fillEllipse(tile, cx + 0.5f, cy + 1.5f, 2.5f, 1.5f, pal(Pal::StoneDarkest));
        fillEllipse(tile, cx + 0.5f, cy + 0.5f, 2.0f, 1.5f, pal(Pal::StoneHighlight));
        tile.set(cx - 1, cy, pal(Pal::Ash));
    }
}

/// The top of a wall seen from above: rough capstones, much darker than the floor.
void wallTop(Image& tile, Rng& rng) {
    fillRect(tile, 0, 0, T, T, pal(Pal::Void));
    for (int row = 0; row < 2; ++row) {
        const int shift = row * 4;
        for (int col = -1; col < 2; ++col) {
            const int x = col * 8 + shift;
            fillRect(tile, x + 1, row * 8 + 1, 6, 6, pal(Pal::StoneDarkest));
            fillRect(tile, x + 1, row * 8 + 1, 6, 1, pal(Pal::StoneDark));
            tile.set(x + rng.range(2, 5), row * 8 + rng.range(3, 5), pal(Pal::StoneDark));
        }
    }
}

/// The south face of a wall: bricks lit from above, darker towards the floor.
void wallFace(Image& tile, Rng& rng) {
    fillRect(tile, 0, 0, T, T, pal(Pal::StoneDarkest));
    for (int row = 0; row < 4; ++row) {
        const int shift = (row % 2) * 4;
        const Pal body = row < 2 ? Pal::StoneLight : Pal::StoneMid;
        for (int col = -1; col < 3; ++col) {
            const int x = col * 8 + shift;
            fillRect(tile, x + 1, row * 4 + 1, 7, 3, pal(body));
            fillRect(tile, x + 1, row * 4 + 1, 7, 1, pal(row == 0 ? Pal::StoneHighlight : Pal::StoneLight));
            if (rng.chance(0.5f)) tile.set(x + rng.range(2, 6), row * 4 + 2, pal(Pal::StoneMid));
        }
    }
    fillRect(tile, 0, T - 1, T, 1, pal(Pal::Void));
}

void sconce(Image& tile, Image& glowTile) {
    fillRect(tile, 6, 9, 4, 2, pal(Pal::Soot));
    fillRect(tile, 7, 11, 2, 3, pal(Pal::Soot));
    fillRect(tile, 5, 8, 6, 1, pal(Pal::StoneHighlight));
    fillEllipse(tile, 8.0f, 6.0f, 2.5f, 3.0f, pal(Pal::EmberOrange));
    fillEllipse(tile, 8.0f, 6.5f, 1.5f, 2.0f, pal(Pal::Flame));
    tile.set(8, 2, pal(Pal::EmberOrange));
    tile.set(7, 6, pal(Pal::Spark));
    fillEllipse(glowTile, 8.0f, 6.0f, 2.5f, 3.0f, pal(Pal::Flame));
    fillEllipse(glowTile, 8.0f, 6.5f, 1.5f, 2.0f, pal(Pal::FlameYellow));
}

} // namespace

void makeTiles(Content& content) {
    Image atlas(T * kTileCount, T);
    Image glowAtlas(T * kTileCount, T, pal(Pal::Void));
    for (int index = 0; index < kTileCount; ++index) {
        Rng rng(1000u + static_cast<uint32_t>(index) * 77u);
        Image tile(T, T);
        Image glowTile(T, T, pal(Pal::Void));
        switch (static_cast<Tile>(index)) {
        case Tile::FloorA:
            flagstones(tile, rng, false);
            break;
        case Tile::FloorB:
            flagstones(tile, rng, true);
            break;
        case Tile::FloorAsh:
            flagstones(tile, rng, false);
            ash(tile, rng);
            break;
        case Tile::FloorEmber:
            flagstones(tile, rng, true);
            emberCrack(tile, glowTile, rng);
            break;
        case Tile::WallTop:
            wallTop(tile, rng);
            break;
        case Tile::WallFace:
            wallFace(tile, rng);
            break;
        case Tile::WallSconce:
            wallFace(tile, rng);
            sconce(tile, glowTile);
            break;
        case Tile::FloorRubble:
            flagstones(tile, rng, false);
            rubble(tile, rng);
            break;
        case Tile::Count:
            break;
        }
        atlas.draw(tile, index * T, 0);
        glowAtlas.draw(glowTile, index * T, 0);
    }
    TextureOptions options;
    options.frames = rowFrames({kTileNames.begin(), kTileNames.end()});
    content.saveTexture("Art", "DungeonTiles", atlas, options);
    content.saveTexture("Art", "DungeonTilesGlow", glowAtlas, options);
}

} // namespace ContentGen
