#include "QelAudio/AudioLevels.h"

#include <algorithm>
#include <cmath>

namespace Qel {

namespace {

/// OpenAL Soft's reference frequency of the low-pass filter's high-frequency gain, in Hz.
constexpr float kLowpassReferenceHz = 5000.0f;

} // namespace

float clampVolume(float volume) {
    if (!(volume >= kSilentVolume)) return 0.0f;
    return std::min(volume, 1.0f);
}

void clampVolumes(AudioSettings& settings) {
    for (float* volume : {&settings.masterVolume, &settings.sfxVolume, &settings.bgmVolume, &settings.mfxVolume})
        *volume = clampVolume(*volume);
}

std::array<float, kAudioGroupCount> groupGains(const AudioSettings& settings) {
    const float master = settings.masterMute ? 0.0f : clampVolume(settings.masterVolume);
    const auto gain = [master](bool mute, float volume) { return mute ? 0.0f : master * clampVolume(volume); };
    return {gain(settings.sfxMute, settings.sfxVolume), gain(settings.bgmMute, settings.bgmVolume),
            gain(settings.mfxMute, settings.mfxVolume)};
}

float lowpassHighGain(float cutoffHz) {
    const float ratio = std::clamp(cutoffHz / kLowpassReferenceHz, 0.0f, 1.0f);
    return ratio * ratio;
}

} // namespace Qel
