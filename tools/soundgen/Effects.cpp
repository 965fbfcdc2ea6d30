#include "Sounds.h"

namespace SoundGen {

namespace {

Clip finished(Clip clip) {
    // Headroom: the lossy encoding overshoots the peaks it was given.
    clip.normalize(0.7);
    return clip;
}

} // namespace

Clip buttonPress() {
    Clip clip(0.07);
    clip.add({0.0, 0.07, Wave::Sine, 1400.0, 900.0, 0.6, 0.002, 0.065});
    clip.add({0.0, 0.015, Wave::Noise, 1.0, 1.0, 0.2, 0.001, 0.014, 6000.0});
    return finished(clip);
}

Clip swapTabs() {
    Clip clip(0.16);
    clip.add({0.0, 0.16, Wave::Noise, 1.0, 1.0, 0.6, 0.04, 0.12, 2500.0});
    clip.add({0.02, 0.1, Wave::Sine, 500.0, 900.0, 0.25, 0.01, 0.08});
    return finished(clip);
}

Clip icewalfAttack() {
    Clip clip(0.4);
    clip.add({0.0, 0.4, Wave::Saw, 110.0, 70.0, 0.5, 0.03, 0.3, 900.0});
    clip.add({0.0, 0.12, Wave::Noise, 1.0, 1.0, 0.5, 0.002, 0.11, 5000.0});
    return finished(clip);
}

Clip icewalfHurt() {
    Clip clip(0.2);
    clip.add({0.0, 0.2, Wave::Square, 520.0, 260.0, 0.4, 0.003, 0.15, 2500.0});
    return finished(clip);
}

Clip icewalfDeath() {
    Clip clip(0.6);
    clip.add({0.0, 0.6, Wave::Square, 420.0, 60.0, 0.4, 0.005, 0.4, 2000.0});
    clip.add({0.05, 0.5, Wave::Noise, 1.0, 1.0, 0.25, 0.02, 0.4, 1500.0});
    return finished(clip);
}

Clip hammerSwing() {
    Clip clip(0.25);
    clip.add({0.0, 0.25, Wave::Noise, 1.0, 1.0, 0.6, 0.12, 0.13, 1200.0});
    return finished(clip);
}

Clip hammerHit() {
    Clip clip(0.3);
    clip.add({0.0, 0.3, Wave::Sine, 130.0, 45.0, 0.8, 0.002, 0.28});
    clip.add({0.0, 0.05, Wave::Noise, 1.0, 1.0, 0.5, 0.001, 0.045, 3500.0});
    return finished(clip);
}

Clip playerHurt() {
    Clip clip(0.28);
    clip.add({0.0, 0.12, Wave::Triangle, 660.0, 600.0, 0.5, 0.003, 0.05});
    clip.add({0.12, 0.16, Wave::Triangle, 440.0, 380.0, 0.5, 0.003, 0.12});
    return finished(clip);
}

Clip footstep() {
    Clip clip(0.08);
    clip.add({0.0, 0.08, Wave::Noise, 1.0, 1.0, 0.6, 0.002, 0.075, 700.0});
    return finished(clip);
}

/// A grate grinding aside, then a low roar of fire welling up and a bright rising chime.
Clip exitOpen() {
    Clip clip(0.9);
    clip.add({0.0, 0.25, Wave::Noise, 1.0, 1.0, 0.4, 0.01, 0.15, 1800.0});
    clip.add({0.1, 0.8, Wave::Noise, 1.0, 1.0, 0.35, 0.25, 0.45, 400.0});
    clip.add({0.2, 0.7, Wave::Sine, 330.0, 660.0, 0.35, 0.05, 0.4});
    clip.add({0.35, 0.55, Wave::Triangle, 660.0, 990.0, 0.2, 0.05, 0.35});
    return finished(clip);
}

} // namespace SoundGen
