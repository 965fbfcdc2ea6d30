// Mouse cursors: pixel art drawn at 16 x 16 and shown at 32 x 32 (cursors are never scaled by the
// window, so they are made at their on-screen size).
#include "Content.h"
#include "Draw.h"
#include "Palette.h"

#include <array>

namespace ContentGen {

namespace {

constexpr int kScale = 2;

/// An arrow tip at (1, 1): 'o' fill, '+' ember edge, ' ' empty.
constexpr std::array<const char*, 13> kArrow{{
    "o",
    "oo",
    "o+o",
    "o++o",
    "o+++o",
    "o++++o",
    "o+++++o",
    "o++++ooo",
    "o+o+o",
    "oo o+o",
    "o   o+o",
    "     oo",
    "",
}};

Image arrowCursor() {
    Image art(16, 16);
    for (size_t row = 0; row < kArrow.size(); ++row) {
        for (int column = 0; kArrow[row][column] != '\0'; ++column) {
            const char cell = kArrow[row][column];
            if (cell == 'o') art.set(column + 1, static_cast<int>(row) + 1, pal(Pal::Bone));
            if (cell == '+') art.set(column + 1, static_cast<int>(row) + 1, pal(Pal::Flame));
        }
    }
    outline(art, pal(Pal::Void));
    return art.scaled(kScale);
}

Image crosshairCursor() {
    Image art(16, 16);
    // A broken ring with a hot centre, so the aim point is never hidden.
    for (int i = 0; i < 16; ++i) {
        for (int j = 0; j < 16; ++j) {
            const float dx = i - 7.5f;
            const float dy = j - 7.5f;
            const float d2 = dx * dx + dy * dy;
            const bool gap = (i >= 7 && i <= 8) || (j >= 7 && j <= 8);
            if (d2 >= 30.0f && d2 <= 45.0f && !gap) art.set(i, j, pal(Pal::Flame));
        }
    }
    for (int k = 1; k <= 4; ++k) {
        art.set(7, k, pal(Pal::Bone));
        art.set(8, k, pal(Pal::Bone));
        art.set(7, 15 - k, pal(Pal::Bone));
        art.set(8, 15 - k, pal(Pal::Bone));
        art.set(k, 7, pal(Pal::Bone));
        art.set(k, 8, pal(Pal::Bone));
        art.set(15 - k, 7, pal(Pal::Bone));
        art.set(15 - k, 8, pal(Pal::Bone));
    }
    fillRect(art, 7, 7, 2, 2, pal(Pal::FlameYellow));
    outline(art, pal(Pal::Void));
    return art.scaled(kScale);
}

} // namespace

void makeCursors(Content& content) {
    // Hot spots in cursor pixels from the top left: the arrow's tip, the crosshair's centre.
    content.saveCursor("Default", arrowCursor(), 1 * kScale, 1 * kScale);
    content.saveCursor("Crosshair", crosshairCursor(), 8 * kScale, 8 * kScale);
}

} // namespace ContentGen
