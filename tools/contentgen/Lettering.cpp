#include "Lettering.h"

#include "Draw.h"
#include "Palette.h"

#include <algorithm>

namespace ContentGen {

namespace {

/// Ember gradient stops from the top of the letters to their foot.
Rgba emberAt(int x, int y, float t) {
    if (t < 0.35f) return dither(x, y, pal(Pal::Spark), pal(Pal::FlameYellow), t / 0.35f);
    if (t < 0.7f) return dither(x, y, pal(Pal::FlameYellow), pal(Pal::Flame), (t - 0.35f) / 0.35f);
    return dither(x, y, pal(Pal::Flame), pal(Pal::EmberOrange), (t - 0.7f) / 0.3f);
}

} // namespace

Image flatLettering(const FontRasterizer& font, std::string_view text, int pixelSize, Rgba colour,
                    int margin) {
    const Image mask = font.render(text, pixelSize);
    Image out(mask.width() + 2 * margin, mask.height() + 2 * margin);
    for (int y = 0; y < mask.height(); ++y)
        for (int x = 0; x < mask.width(); ++x)
            out.blend(x + margin, y + margin, colour, mask.get(x, y).a / 255.0f);
    return out;
}

Image emberLettering(const FontRasterizer& font, std::string_view text, int pixelSize) {
    const Image mask = font.render(text, pixelSize);
    const int rim = std::max(2, pixelSize / 40);
    const int margin = rim + pixelSize / 6;
    Image out(mask.width() + 2 * margin, mask.height() + 2 * margin);

    // Glow first, from a coarse sample of the letters so it stays cheap.
    const int step = std::max(2, pixelSize / 24);
    for (int y = 0; y < mask.height(); y += step)
        for (int x = 0; x < mask.width(); x += step)
            if (mask.get(x, y).a > 200)
                glow(out, x + margin + 0.5f, y + margin + 0.5f, pixelSize / 5.0f, pal(Pal::EmberRed), 0.05f);

    // Rim: the letters grown by `rim` pixels in dark stone.
    for (int y = 0; y < mask.height(); ++y) {
        for (int x = 0; x < mask.width(); ++x) {
            const float coverage = mask.get(x, y).a / 255.0f;
            if (coverage <= 0.0f) continue;
            for (int dy = -rim; dy <= rim; ++dy)
                for (int dx = -rim; dx <= rim; ++dx)
                    if (dx * dx + dy * dy <= rim * rim)
                        out.blend(x + margin + dx, y + margin + dy, pal(Pal::StoneDarkest), coverage);
        }
    }
    for (int y = 0; y < mask.height(); ++y) {
        const float t = static_cast<float>(y) / static_cast<float>(std::max(1, mask.height() - 1));
        for (int x = 0; x < mask.width(); ++x) {
            const float coverage = mask.get(x, y).a / 255.0f;
            if (coverage > 0.0f) out.blend(x + margin, y + margin, emberAt(x, y, t), coverage);
        }
    }
    return out;
}

void drawCentred(Image& target, const Image& source, int cx, int cy) {
    target.draw(source, cx - source.width() / 2, cy - source.height() / 2);
}

} // namespace ContentGen
