// Interface art: the title backdrop, panels, buttons, the volume indicators and the plain white
// square that tints into any colour.
#include "Content.h"
#include "Draw.h"
#include "Palette.h"
#include "Rng.h"

#include <cmath>

namespace ContentGen {

namespace {

/// A stone slab with a bevel and ember studs in the corners.
Image buttonFrame() {
    const int w = 160, h = 32;
    Image art(w, h);
    ditherGradient(art, 1, 1, w - 2, h - 2, pal(Pal::StoneMid), pal(Pal::StoneDark));
    strokeRect(art, 0, 0, w, h, pal(Pal::Void));
    fillRect(art, 1, 1, w - 2, 1, pal(Pal::StoneHighlight));
    fillRect(art, 1, 2, 1, h - 4, pal(Pal::StoneLight));
    fillRect(art, 1, h - 2, w - 2, 1, pal(Pal::StoneDarkest));
    fillRect(art, w - 2, 2, 1, h - 4, pal(Pal::StoneDarkest));
    fillRect(art, 6, h - 5, w - 12, 1, pal(Pal::EmberRed));
    for (const int x : {4, w - 6})
        for (const int y : {4, h - 6}) {
            fillRect(art, x, y, 2, 2, pal(Pal::Flame));
            art.set(x, y, pal(Pal::FlameYellow));
        }
    return art;
}

/// A dark framed panel: backdrop of dialogs and pages. Large enough that its frame stays thin
/// when the panel fills most of the screen.
Image panelFrame() {
    const int w = 320, h = 208;
    Image art(w, h);
    for (int y = 0; y < h; ++y)
        fillRect(art, 0, y, w, 1,
                 mix(pal(Pal::StoneDarkest), pal(Pal::Void), static_cast<float>(y) / (h - 1)));
    strokeRect(art, 0, 0, w, h, pal(Pal::Void));
    strokeRect(art, 1, 1, w - 2, h - 2, pal(Pal::StoneMid));
    strokeRect(art, 2, 2, w - 4, h - 4, pal(Pal::StoneDark));
    strokeRect(art, 5, 5, w - 10, h - 10, pal(Pal::EmberDeep));
    for (const int x : {1, w - 4})
        for (const int y : {1, h - 4}) {
            fillRect(art, x, y, 3, 3, pal(Pal::Flame));
            art.set(x + 1, y + 1, pal(Pal::FlameYellow));
        }
    return art;
}

/// A cavern lit from below by a river of embers; 320 x 180, shown at eight times in UI units.
Image titleBackground() {
    const int w = 320, h = 180;
    Image art(w, h);
    for (int y = 0; y < h; ++y) {
        const float t = static_cast<float>(y) / static_cast<float>(h - 1);
        for (int x = 0; x < w; ++x) {
            // Smooth rather than dithered: shown eight times enlarged, a dither pattern would be loud.
            const Rgba c = t < 0.5f ? mix(pal(Pal::Void), pal(Pal::StoneDarkest), t / 0.5f)
                                    : mix(pal(Pal::StoneDarkest), pal(Pal::EmberDeep), (t - 0.5f) / 0.5f);
            art.set(x, y, c);
        }
    }
    Rng rng(42);
    // Far rock pillars, then near walls on both sides.
    for (int i = 0; i < 9; ++i) {
        const int cx = rng.range(20, w - 20);
        const int width = rng.range(8, 18);
        for (int y = 0; y < h; ++y) {
            const float wobble = std::sin(y * 0.11f + i) * 2.0f;
            const int half = width / 2 + static_cast<int>(wobble);
            for (int x = cx - half; x <= cx + half; ++x)
                art.set(x, y, mix(pal(Pal::Void), pal(Pal::StoneDarkest), y / static_cast<float>(h)));
        }
    }
    for (int side = 0; side < 2; ++side) {
        for (int y = 0; y < h; ++y) {
            const int reach =
                28 + static_cast<int>(std::sin(y * 0.07f + side * 2.0f) * 10.0f + std::sin(y * 0.23f) * 4.0f);
            for (int k = 0; k < reach; ++k) {
                const int x = side == 0 ? k : w - 1 - k;
                art.set(x, y, k > reach - 3 ? pal(Pal::StoneDark) : pal(Pal::Void));
            }
        }
    }
    // Stalactites.
    for (int i = 0; i < 26; ++i) {
        const int cx = rng.range(0, w - 1);
        const int length = rng.range(6, 30);
        for (int y = 0; y < length; ++y) {
            const int half = (length - y) / 6 + 1;
            for (int x = cx - half; x <= cx + half; ++x)
                art.set(x, y, pal(Pal::Void));
            art.set(cx - half, y, pal(Pal::StoneDarkest));
        }
    }
    // The ember river and its light.
    glow(art, w / 2.0f, h + 10.0f, 150.0f, pal(Pal::EmberRed), 0.45f);
    for (int x = 0; x < w; ++x) {
        const int surface = h - 14 + static_cast<int>(std::sin(x * 0.09f) * 2.0f + std::sin(x * 0.31f));
        for (int y = surface; y < h; ++y) {
            const float depth = static_cast<float>(y - surface) / 14.0f;
            art.set(x, y, mix(pal(Pal::Flame), pal(Pal::EmberRed), depth));
        }
        art.set(x, surface, pal(Pal::FlameYellow));
    }
    for (int i = 0; i < 90; ++i) {
        const int x = rng.range(30, w - 30);
        const int y = rng.range(h / 3, h - 16);
        art.set(x, y, pal(rng.chance(0.3f) ? Pal::FlameYellow : Pal::EmberOrange));
    }
    return art;
}

/// A small speaker; muted shows a red cross, unmuted two ember sound waves.
Image speaker(bool muted) {
    Image art(16, 16);
    fillRect(art, 2, 6, 3, 4, pal(Pal::Bone));
    for (int i = 0; i < 4; ++i)
        fillRect(art, 5 + i, 5 - i, 1, 6 + 2 * i, pal(Pal::Bone));
    if (muted) {
        line(art, 10, 5, 14, 10, pal(Pal::EmberRed));
        line(art, 14, 5, 10, 10, pal(Pal::EmberRed));
    } else {
        line(art, 11, 6, 11, 9, pal(Pal::Flame));
        line(art, 13, 4, 13, 11, pal(Pal::Flame));
        art.set(12, 5, pal(Pal::Flame));
        art.set(12, 10, pal(Pal::Flame));
    }
    outline(art, pal(Pal::Void));
    return art;
}

} // namespace

void makeUiArt(Content& content) {
    const TextureOptions pixelArt;
    content.saveTexture("Art", "ButtonFrame", buttonFrame(), pixelArt);
    content.saveTexture("Art", "PanelFrame", panelFrame(), pixelArt);
    content.saveTexture("Art", "TitleBackground", titleBackground(), pixelArt);
    content.saveTexture("Art", "Muted", speaker(true), pixelArt);
    content.saveTexture("Art", "Unmuted", speaker(false), pixelArt);
    // Pure white, not a palette colour: sprites multiply it by their colour.
    content.saveTexture("Art", "whiteSquare", Image(4, 4, {255, 255, 255, 255}), pixelArt);
}

} // namespace ContentGen
