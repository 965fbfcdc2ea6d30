// The three splash logos: the studio mark, the game's title on dark, and the audio credit.
#include "Content.h"
#include "Draw.h"
#include "Lettering.h"
#include "Palette.h"
#include "Rng.h"

namespace ContentGen {

namespace {

TextureOptions smoothArt() {
    TextureOptions options;
    options.pixelArt = false;
    return options;
}

/// The studio mark: a chunky pixel ember inside a stone ring, drawn at 1/6 scale.
Image studioEmblem() {
    Image mark(40, 40);
    fillEllipse(mark, 20.0f, 20.0f, 19.0f, 19.0f, pal(Pal::StoneMid));
    fillEllipse(mark, 20.0f, 20.0f, 16.0f, 16.0f, pal(Pal::Void));
    fillEllipse(mark, 20.0f, 20.0f, 15.0f, 15.0f, pal(Pal::StoneDarkest));
    // A flame: three stacked drops, hot at the core.
    fillEllipse(mark, 20.0f, 25.0f, 8.0f, 7.0f, pal(Pal::EmberRed));
    fillEllipse(mark, 20.0f, 20.0f, 5.5f, 10.0f, pal(Pal::EmberOrange));
    fillEllipse(mark, 20.0f, 23.0f, 4.0f, 5.0f, pal(Pal::Flame));
    fillEllipse(mark, 20.0f, 25.0f, 2.0f, 2.5f, pal(Pal::Spark));
    fillRect(mark, 19, 8, 2, 4, pal(Pal::EmberOrange));
    // Notches in the ring at the four quarters.
    for (const auto& [x, y] : {std::pair{19, 1}, std::pair{19, 37}, std::pair{1, 19}, std::pair{37, 19}})
        fillRect(mark, x, y, 2, 2, pal(Pal::Flame));
    return mark.scaled(6);
}

Image orgLogo(const FontRasterizer& font) {
    const Image emblem = studioEmblem();
    const Image name = flatLettering(font, "QEL GAMES", 120, pal(Pal::Bone), 0);
    const Image motto = flatLettering(font, "small fires, deep games", 40, pal(Pal::Ash), 0);
    const int gap = 56;
    Image logo(emblem.width() + gap + name.width() + 16, emblem.height() + 16);
    logo.draw(emblem, 8, 8);
    const int textX = 8 + emblem.width() + gap;
    logo.draw(name, textX, logo.height() / 2 - name.height() + 4);
    logo.draw(motto, textX + 4, logo.height() / 2 + 36);
    return logo;
}

Image titleOnDark(const FontRasterizer& font) {
    Image logo(1000, 400);
    ditherGradient(logo, 0, 0, logo.width(), logo.height(), pal(Pal::Void), pal(Pal::StoneDarkest));
    glow(logo, 500.0f, 470.0f, 420.0f, pal(Pal::EmberDeep), 0.55f);
    Rng rng(7);
    for (int i = 0; i < 140; ++i) {
        const int x = rng.range(0, logo.width() - 1);
        const int y = rng.range(logo.height() / 3, logo.height() - 1);
        const Pal spark =
            rng.chance(0.3f) ? Pal::FlameYellow : (rng.chance(0.5f) ? Pal::Flame : Pal::EmberOrange);
        fillRect(logo, x, y, 3, 3, pal(spark, static_cast<uint8_t>(rng.range(90, 255))));
    }
    drawCentred(logo, emberLettering(font, "Ember Deep", 170), 500, 190);
    drawCentred(logo, flatLettering(font, "a descent through cinder and stone", 34, pal(Pal::Ash), 0), 500,
                320);
    strokeRect(logo, 0, 0, logo.width(), logo.height(), pal(Pal::StoneDark));
    return logo;
}

Image audioCredit(const FontRasterizer& font) {
    const Image byline = flatLettering(font, "audio by", 54, pal(Pal::Ash), 0);
    const Image name = flatLettering(font, "OpenAL Soft", 150, pal(Pal::Bone), 0);
    Image logo(name.width() + 80, byline.height() + name.height() + 100);
    drawCentred(logo, byline, logo.width() / 2, 20 + byline.height() / 2);
    drawCentred(logo, name, logo.width() / 2, 60 + byline.height() + name.height() / 2);
    fillRect(logo, 40, logo.height() - 14, logo.width() - 80, 4, pal(Pal::EmberOrange));
    return logo;
}

} // namespace

void makeSplashArt(Content& content) {
    content.saveTexture("Splash", "OrgLogo", orgLogo(content.font), smoothArt());
    content.saveTexture("Splash", "EDLogoDark", titleOnDark(content.font), smoothArt());
    content.saveTexture("Splash", "OpenALSoftLogo", audioCredit(content.font), smoothArt());
    content.saveTexture("Art", "TitleLogo", emberLettering(content.font, "Ember Deep", 200), smoothArt());
}

} // namespace ContentGen
