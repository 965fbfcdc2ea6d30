// Characters: the player's sheet, the enemy's sheet and the hammer. 32 x 32 pixel frames, one
// row per sheet; a frame shows two world units.
#include "CharacterArt.h"

#include "Content.h"
#include "Draw.h"
#include "Palette.h"

#include <algorithm>

namespace ContentGen {

namespace {

constexpr int F = kCharacterFramePixels;

struct KeeperPose {
    int bob = 0;      // body raised by this many pixels
    int leftStep = 0; // foot lifted (negative) or pushed forward
    int rightStep = 0;
    bool hurt = false;
    bool down = false;
};

/// The player, "the Keeper": a hooded smith in a stone-grey cloak with an ember scarf.
Image keeper(const KeeperPose& pose) {
    Image frame(F, F);
    if (pose.down) {
        fillEllipse(frame, 16.0f, 26.0f, 11.0f, 3.5f, pal(Pal::StoneMid));
        fillEllipse(frame, 8.0f, 24.5f, 4.0f, 3.5f, pal(Pal::StoneDark));
        fillRect(frame, 12, 24, 8, 2, pal(Pal::EmberOrange));
        frame.set(7, 24, pal(Pal::StoneDarkest));
        frame.set(9, 24, pal(Pal::StoneDarkest));
        outline(frame, pal(Pal::Void));
        return frame;
    }
    const int b = -pose.bob;
    // Boots.
    fillRect(frame, 11, 27 + pose.leftStep, 4, 3, pal(Pal::Soot));
    fillRect(frame, 17, 27 + pose.rightStep, 4, 3, pal(Pal::Soot));
    // Cloak: a bell shape, lit on the left.
    fillEllipse(frame, 16.0f, 22.0f + b, 7.5f, 7.0f, pal(Pal::StoneHighlight));
    fillEllipse(frame, 14.0f, 21.0f + b, 3.5f, 4.5f, pal(Pal::Ash));
    fillRect(frame, 9, 23 + b, 15, 5, pal(Pal::StoneHighlight));
    fillRect(frame, 18, 23 + b, 6, 5, pal(Pal::StoneLight));
    fillRect(frame, 10, 27 + b, 13, 1, pal(Pal::StoneMid));
    // Belt and a small hammer-loop.
    fillRect(frame, 10, 24 + b, 13, 1, pal(Pal::Soot));
    frame.set(19, 24 + b, pal(Pal::FlameYellow));
    // Scarf.
    fillRect(frame, 11, 16 + b, 10, 2, pal(Pal::EmberOrange));
    fillRect(frame, 18, 18 + b, 2, 4, pal(Pal::EmberRed));
    frame.set(12, 16 + b, pal(Pal::Flame));
    // Hood and the shadowed face with ember eyes.
    fillEllipse(frame, 16.0f, 11.0f + b, 6.0f, 6.0f, pal(Pal::StoneLight));
    fillEllipse(frame, 14.5f, 9.5f + b, 3.0f, 3.0f, pal(Pal::StoneHighlight));
    fillEllipse(frame, 16.0f, 12.5f + b, 3.8f, 3.0f, pal(Pal::Void));
    frame.set(14, 12 + b, pal(Pal::FlameYellow));
    frame.set(17, 12 + b, pal(Pal::FlameYellow));
    frame.set(16, 5 + b, pal(Pal::StoneHighlight));
    if (pose.hurt) {
        for (int y = 0; y < F; ++y)
            for (int x = 0; x < F; ++x)
                if (frame.get(x, y).a != 0) frame.set(x, y, mix(frame.get(x, y), pal(Pal::EmberRed), 0.55f));
    }
    outline(frame, pal(Pal::Void));
    return frame;
}

struct CinderPose {
    float squash = 1.0f; // height factor of the body
    int flame = 0;       // flame variant
    float heat = 0.0f;   // 0 dull to 1 white-hot cracks
    bool mouth = false;
    bool dead = false;
};

/// The enemy, a "Cinderling": a lump of living coal with molten cracks.
Image cinderling(const CinderPose& pose) {
    Image frame(F, F);
    if (pose.dead) {
        fillEllipse(frame, 16.0f, 27.0f, 9.0f, 3.0f, pal(Pal::Ash));
        fillEllipse(frame, 14.0f, 26.0f, 4.0f, 2.0f, pal(Pal::StoneLight));
        frame.set(19, 26, pal(Pal::EmberRed));
        frame.set(12, 27, pal(Pal::EmberDeep));
        outline(frame, pal(Pal::Void));
        return frame;
    }
    const float ry = 8.5f * pose.squash;
    const float cy = 29.0f - ry;
    const float rx = 9.5f / std::max(0.8f, pose.squash);
    fillEllipse(frame, 16.0f, cy, rx, ry, pal(Pal::Soot));
    fillEllipse(frame, 14.0f, cy - 2.0f, rx * 0.7f, ry * 0.6f, pal(Pal::StoneDark));
    fillEllipse(frame, 12.5f, cy - 4.0f, 2.0f, 1.5f, pal(Pal::StoneMid));
    const Pal crack =
        pose.heat > 0.6f ? Pal::FlameYellow : (pose.heat > 0.2f ? Pal::Flame : Pal::EmberOrange);
    const int top = static_cast<int>(cy - ry * 0.5f);
    line(frame, 9, top + 6, 13, top + 9, pal(crack));
    line(frame, 13, top + 9, 12, top + 12, pal(crack));
    line(frame, 22, top + 4, 19, top + 8, pal(crack));
    line(frame, 19, top + 8, 21, top + 11, pal(Pal::EmberRed));
    // Eyes.
    const int eyeY = static_cast<int>(cy) - 1;
    fillRect(frame, 12, eyeY, 2, 2, pal(Pal::FlameYellow));
    fillRect(frame, 18, eyeY, 2, 2, pal(Pal::FlameYellow));
    frame.set(12, eyeY, pal(Pal::Spark));
    frame.set(18, eyeY, pal(Pal::Spark));
    if (pose.mouth) fillRect(frame, 14, eyeY + 4, 4, 2, pal(Pal::Flame));
    // Flickering flame on the crown.
    const int crown = static_cast<int>(cy - ry);
    const int lean = pose.flame == 0 ? 0 : (pose.flame == 1 ? 1 : -1);
    fillEllipse(frame, 16.0f + lean, crown - 1.0f, 3.5f, 3.5f, pal(Pal::EmberOrange));
    fillEllipse(frame, 16.0f + lean * 2, crown - 4.0f, 1.5f, 2.5f, pal(Pal::EmberOrange));
    fillEllipse(frame, 16.0f + lean, crown - 0.5f, 1.8f, 2.0f, pal(Pal::FlameYellow));
    outline(frame, pal(Pal::Void));
    return frame;
}

Image hammer() {
    Image art(F, F);
    // Handle from the grip up to the head.
    fillRect(art, 15, 12, 3, 18, pal(Pal::Soot));
    fillRect(art, 15, 12, 1, 18, pal(Pal::StoneMid));
    fillRect(art, 14, 26, 5, 2, pal(Pal::StoneDark));
    // Head: a stone block bound in iron, an ember rune on its face.
    fillRect(art, 7, 4, 19, 9, pal(Pal::StoneLight));
    fillRect(art, 7, 4, 19, 2, pal(Pal::StoneHighlight));
    fillRect(art, 7, 11, 19, 2, pal(Pal::StoneMid));
    fillRect(art, 11, 4, 2, 9, pal(Pal::StoneDark));
    fillRect(art, 20, 4, 2, 9, pal(Pal::StoneDark));
    art.set(16, 7, pal(Pal::Flame));
    art.set(15, 8, pal(Pal::EmberOrange));
    art.set(17, 8, pal(Pal::EmberOrange));
    art.set(16, 9, pal(Pal::FlameYellow));
    outline(art, pal(Pal::Void));
    return art;
}

Image sheet(const std::vector<Image>& frames) {
    Image out(F * static_cast<int>(frames.size()), F);
    for (size_t i = 0; i < frames.size(); ++i)
        out.draw(frames[i], F * static_cast<int>(i), 0);
    return out;
}

} // namespace

void makeCharacters(Content& content) {
    TextureOptions options;
    options.frames = rowFrames(kPlayerFrames);
    content.saveTexture("Art", "PlayerSheet",
                        sheet({keeper({}), keeper({.bob = 1}), keeper({.bob = 1, .leftStep = -2}),
                               keeper({.rightStep = 0}), keeper({.bob = 1, .rightStep = -2}), keeper({}),
                               keeper({.hurt = true}), keeper({.down = true})}),
                        options);

    options.frames = rowFrames(kEnemyFrames);
    content.saveTexture(
        "Art", "CinderlingSheet",
        sheet({cinderling({}), cinderling({.flame = 1, .heat = 0.3f}),
               cinderling({.squash = 0.85f, .flame = 2}), cinderling({.squash = 1.1f, .flame = 1}),
               cinderling({.squash = 0.95f}), cinderling({.squash = 1.15f, .heat = 0.7f}),
               cinderling({.squash = 0.9f, .heat = 1.0f, .mouth = true}), cinderling({.dead = true})}),
        options);

    content.saveTexture("Art", "basicHammer", hammer(), TextureOptions{});
}

} // namespace ContentGen
