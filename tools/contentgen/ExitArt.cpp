// The levels' exit: a shaft in the floor under an iron grate, one 16 x 16 pixel frame shut and one
// open, with a glow map in which only the open shaft burns.
#include "Content.h"
#include "Draw.h"
#include "Palette.h"
#include "TileSet.h"

namespace ContentGen {

namespace {

constexpr int T = kTilePixels;

/// The stone collar around the shaft, shared by both frames.
void collar(Image& frame) {
    fillRect(frame, 0, 0, T, T, pal(Pal::StoneMid));
    strokeRect(frame, 1, 1, T - 2, T - 2, pal(Pal::StoneHighlight));
    strokeRect(frame, 2, 2, T - 4, T - 4, pal(Pal::StoneDarkest));
}

/// Cold iron bars over a black shaft, lit along their top edges, riveted where they cross.
void grate(Image& frame) {
    fillRect(frame, 3, 3, T - 6, T - 6, pal(Pal::Void));
    for (const int at : {5, 8, 11}) {
        fillRect(frame, at, 3, 1, T - 6, pal(Pal::StoneMid));
        fillRect(frame, 3, at, T - 6, 1, pal(Pal::StoneLight));
    }
    for (const int x : {5, 8, 11})
        for (const int y : {5, 8, 11})
            frame.set(x, y, pal(Pal::StoneHighlight));
}

/// Steps going down into fire: each lower step darker against a brighter glow.
void stairs(Image& frame, Image& glowFrame) {
    ditherGradient(frame, 3, 3, T - 6, T - 6, pal(Pal::EmberDeep), pal(Pal::Flame));
    const Pal steps[] = {Pal::StoneLight, Pal::StoneMid, Pal::StoneDark};
    for (int i = 0; i < 3; ++i) {
        fillRect(frame, 3, 3 + i * 3, T - 6, 2, pal(steps[i]));
        fillRect(frame, 3, 3 + i * 3, T - 6, 1, pal(Pal::StoneHighlight));
    }
    ditherGradient(glowFrame, 3, 9, T - 6, T - 12, pal(Pal::EmberOrange), pal(Pal::FlameYellow));
    glow(glowFrame, T / 2.0f, T - 4.0f, 5.0f, pal(Pal::Flame), 0.8f);
}

} // namespace

void makeExitArt(Content& content) {
    Image sheet(2 * T, T);
    Image glowSheet(2 * T, T, pal(Pal::Void));
    Image shut(T, T), open(T, T), openGlow(T, T, pal(Pal::Void));
    collar(shut);
    grate(shut);
    collar(open);
    stairs(open, openGlow);
    sheet.draw(shut, 0, 0);
    sheet.draw(open, T, 0);
    glowSheet.draw(openGlow, T, 0);
    TextureOptions options;
    options.frames = rowFrames({"Shut", "Open"});
    content.saveTexture("Art", "LevelExit", sheet, options);
    content.saveTexture("Art", "LevelExitGlow", glowSheet, options);
}

} // namespace ContentGen
