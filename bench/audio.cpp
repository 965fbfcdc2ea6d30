// The audio manager's costs: its construction with the shipped sounds (what start-up waits for)
// against the decoding that runs meanwhile on its worker; update() with 32 sources playing, in
// microseconds per frame; and mixing one 60 Hz frame of them (OpenAL's work, on its own thread in
// the game). Renders through the loopback device, so it needs no sound card.
#include "QelAudio/AudioDevice.h"
#include "QelAudio/AudioManager.h"
#include "QelAudio/AudioManagerData.h"
#include "QelAudio/SoundDecoder.h"
#include "QelCore/LogManager.h"
#include "data/AssetManager.h"
#include "data/NameHash.h"
#include "messaging/MessageManager.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr int kRate = 44100;
constexpr int kSources = 32;
constexpr int kFrames = 2000;
constexpr int kFrameSamples = kRate / 60;

using Clock = std::chrono::steady_clock;

double microseconds(Clock::duration elapsed) {
    return std::chrono::duration<double, std::micro>(elapsed).count();
}

/// Builds a manager over the shipped sounds and waits, updating as the game does, until they are
/// decoded. Prints both times.
void measureLoading() {
    const std::filesystem::path bin = std::filesystem::path(QEL_SOURCE_DIR) / "bin";
    std::filesystem::create_directories(bin);
    std::filesystem::current_path(bin);
    const Clock::time_point start = Clock::now();
    std::unique_ptr<Qel::AudioDevice> device = Qel::AudioDevice::openLoopback(kRate);
    const Clock::time_point opened = Clock::now();
    Qel::AudioManager audio(std::move(device));
    const Clock::time_point built = Clock::now();
    while (audio.internals().loading()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        audio.update();
    }
    std::printf("opening the output: %.2f ms; AudioManager construction: %.2f ms; every sound decoded and "
                "playable after %.1f ms\n",
                microseconds(opened - start) / 1000.0, microseconds(built - opened) / 1000.0,
                microseconds(Clock::now() - start) / 1000.0);
}

} // namespace

int main() {
    Qel::LogManager log;
    log.setEchoPriority(Qel::LOG_CRITICAL);
    Qel::MessageManager messages;
    Qel::AssetManager assets;
    measureLoading();
    Qel::AudioManager audio(Qel::AudioDevice::openLoopback(kRate));
    Qel::DecodedSound tone{{}, 1, kRate, {}};
    for (int i = 0; i < 60 * kRate; ++i)
        tone.samples.push_back(static_cast<int16_t>(8000.0 * std::sin(i * 0.05)));
    audio.internals().addSound("Tone", tone);
    for (int i = 0; i < kSources; ++i) {
        Qel::MessageArgs<uint64_t> play(Qel::hashName(i % 2 ? "playSFX" : "playMFX"), Qel::hashName("Tone"));
        messages.sendImmediate(play, Qel::hashName("AudioManager"));
    }

    std::vector<float> mix(2 * kFrameSamples);
    std::vector<double> update, render;
    for (int frame = 0; frame < kFrames; ++frame) {
        const Clock::time_point start = Clock::now();
        audio.update();
        const Clock::time_point updated = Clock::now();
        audio.internals().device()->render(mix.data(), kFrameSamples);
        update.push_back(microseconds(updated - start));
        render.push_back(microseconds(Clock::now() - updated));
    }
    const size_t playing = audio.internals().group(Qel::AudioGroupId::SFX)->sourceCount() +
                           audio.internals().group(Qel::AudioGroupId::MFX)->sourceCount();
    std::sort(update.begin(), update.end());
    std::sort(render.begin(), render.end());
    std::printf("sources playing: %zu\n", playing);
    std::printf("AudioManager::update: %.2f us per frame (median), %.2f us (99th percentile)\n",
                update[kFrames / 2], update[kFrames * 99 / 100]);
    std::printf("mixing one 60 Hz frame: %.1f us (median)\n", render[kFrames / 2]);
    return 0;
}
