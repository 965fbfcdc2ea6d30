#pragma once

#include <cstdint>
#include <vector>

namespace SoundGen {

/// Samples per second of every generated sound (mono): plenty for game effects, and small files.
constexpr int kSampleRate = 22050;

enum class Wave { Sine, Square, Saw, Triangle, Noise };

/// One voice: a wave gliding exponentially from `from` to `to` Hz, with a linear attack and a
/// linear release at its end. Noise ignores the pitch; `lowpassHz` (0: none) darkens any wave.
struct Note {
    double start = 0.0;  // seconds into the clip
    double length = 0.1; // seconds, release included
    Wave wave = Wave::Sine;
    double from = 440.0;
    double to = 440.0;
    double amplitude = 0.5;
    double attack = 0.005;  // seconds
    double release = 0.05;  // seconds
    double lowpassHz = 0.0;
};

/// A mono clip being built; mixing adds, so voices overlap freely.
class Clip {
public:
    explicit Clip(double seconds);

    /// Mixes the note in. Noise comes from a fixed seed, so a clip is the same on every run.
    void add(const Note& note);
    /// Scales the clip so that its loudest sample has magnitude `peak`.
    void normalize(double peak);
    const std::vector<float>& samples() const { return data; }

private:
    std::vector<float> data;
    uint32_t noiseState = 0x2545F491u;
};

/// The frequency of a MIDI note number (69 is A4, 440 Hz).
double midiHz(int note);

} // namespace SoundGen
