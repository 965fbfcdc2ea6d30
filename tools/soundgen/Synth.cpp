#include "Synth.h"

#include <algorithm>
#include <cmath>

namespace SoundGen {

namespace {

constexpr double kTwoPi = 6.283185307179586;

double waveAt(Wave wave, double phase, double noise) {
    const double cycle = phase - std::floor(phase);
    switch (wave) {
    case Wave::Sine: return std::sin(kTwoPi * cycle);
    case Wave::Square: return cycle < 0.5 ? 1.0 : -1.0;
    case Wave::Saw: return 2.0 * cycle - 1.0;
    case Wave::Triangle: return 1.0 - 4.0 * std::abs(cycle - 0.5);
    case Wave::Noise: return noise;
    }
    return 0.0;
}

double envelopeAt(const Note& note, double t) {
    const double rising = note.attack > 0.0 ? std::min(1.0, t / note.attack) : 1.0;
    const double left = note.length - t;
    const double falling = note.release > 0.0 ? std::clamp(left / note.release, 0.0, 1.0) : 1.0;
    return rising * falling;
}

} // namespace

Clip::Clip(double seconds) : data(static_cast<size_t>(std::lround(seconds * kSampleRate)), 0.0f) {}

void Clip::add(const Note& note) {
    const auto first = static_cast<size_t>(std::lround(note.start * kSampleRate));
    const auto count = static_cast<size_t>(std::lround(note.length * kSampleRate));
    const double glide = std::log(note.to / note.from) / std::max(note.length, 1e-6);
    // One-pole low-pass: the smoothing factor for the cut-off at this sample rate.
    const double smoothing =
        note.lowpassHz > 0.0 ? 1.0 - std::exp(-kTwoPi * note.lowpassHz / kSampleRate) : 1.0;
    double phase = 0.0;
    double filtered = 0.0;
    for (size_t i = 0; i < count && first + i < data.size(); ++i) {
        const double t = static_cast<double>(i) / kSampleRate;
        noiseState ^= noiseState << 13;
        noiseState ^= noiseState >> 17;
        noiseState ^= noiseState << 5;
        const double noise = static_cast<double>(noiseState) / 2147483648.0 - 1.0;
        filtered += smoothing * (waveAt(note.wave, phase, noise) - filtered);
        data[first + i] += static_cast<float>(note.amplitude * envelopeAt(note, t) * filtered);
        phase += note.from * std::exp(glide * t) / kSampleRate;
    }
}

void Clip::normalize(double peak) {
    float loudest = 0.0f;
    for (float sample : data) loudest = std::max(loudest, std::abs(sample));
    if (loudest <= 0.0f) return;
    const auto scale = static_cast<float>(peak / loudest);
    for (float& sample : data) sample *= scale;
}

double midiHz(int note) {
    return 440.0 * std::pow(2.0, (note - 69) / 12.0);
}

} // namespace SoundGen
