#include "Sounds.h"

namespace SoundGen {

namespace {

/// Adds a chord progression: one chord (MIDI root and two more notes) per bar, a bass on the
/// root, a held pad and an arpeggio of `perBar` steps. Every voice ends inside its bar, so the
/// clip loops without a seam.
void addProgression(Clip& clip, const int (&chords)[4][3], double barSeconds, int perBar, Wave arpWave,
                    double arpLevel) {
    const double step = barSeconds / perBar;
    for (int bar = 0; bar < 4; ++bar) {
        const double start = bar * barSeconds;
        const int* chord = chords[bar];
        clip.add(
            {start, barSeconds, Wave::Sine, midiHz(chord[0] - 12), midiHz(chord[0] - 12), 0.35, 0.02, 0.3});
        for (int voice = 0; voice < 3; ++voice) {
            const double hz = midiHz(chord[voice]);
            clip.add({start, barSeconds, Wave::Triangle, hz, hz, 0.08, 0.4, 0.6, 1800.0});
        }
        for (int i = 0; i < perBar; ++i) {
            const int note = chord[i % 3] + 12 * (1 + (i / 3) % 2);
            clip.add({start + i * step, step, arpWave, midiHz(note), midiHz(note), arpLevel, 0.004,
                      step * 0.9, 3000.0});
        }
    }
}

} // namespace

Clip titleTheme() {
    // D minor, slow: Dm, Bb, F, C, two seconds and a half per bar.
    const int chords[4][3] = {{62, 65, 69}, {58, 62, 65}, {65, 69, 72}, {60, 64, 67}};
    const double bar = 2.5;
    Clip clip(4 * bar);
    addProgression(clip, chords, bar, 6, Wave::Sine, 0.16);
    clip.normalize(0.7);
    return clip;
}

Clip levelTheme() {
    // A minor, driving: Am, F, G, E at 120 beats per minute, with a kick on the beat and a hat
    // between beats.
    const int chords[4][3] = {{57, 60, 64}, {53, 57, 60}, {55, 59, 62}, {52, 56, 59}};
    const double bar = 2.0;
    Clip clip(4 * bar);
    addProgression(clip, chords, bar, 8, Wave::Square, 0.06);
    for (int beat = 0; beat < 16; ++beat) {
        const double at = beat * bar / 4;
        clip.add({at, 0.18, Wave::Sine, 140.0, 45.0, 0.5, 0.002, 0.16});
        clip.add({at + bar / 8, 0.05, Wave::Noise, 1.0, 1.0, 0.06, 0.001, 0.045, 7000.0});
    }
    clip.normalize(0.7);
    return clip;
}

Clip deepTheme() {
    // E minor, low and heavier: Em, C, Am, B at 100 beats per minute, a kick on every other beat
    // and a low rumble under it all.
    const int chords[4][3] = {{52, 55, 59}, {48, 52, 55}, {45, 48, 52}, {47, 51, 54}};
    const double bar = 2.4;
    Clip clip(4 * bar);
    addProgression(clip, chords, bar, 6, Wave::Saw, 0.05);
    for (int beat = 0; beat < 16; beat += 2)
        clip.add({beat * bar / 4, 0.25, Wave::Sine, 110.0, 38.0, 0.6, 0.002, 0.22});
    for (int i = 0; i < 4; ++i)
        clip.add({i * bar, bar, Wave::Noise, 1.0, 1.0, 0.05, 0.5, 0.5, 180.0});
    clip.normalize(0.7);
    return clip;
}

} // namespace SoundGen
