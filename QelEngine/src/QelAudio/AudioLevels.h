#pragma once

#include "QelAudio/AudioSettings.h"

#include <array>
#include <cstddef>

namespace Qel {

/// The three groups, in the order their messages and settings are listed.
enum class AudioGroupId { SFX, BGM, MFX };
constexpr size_t kAudioGroupCount = 3;

/// Volumes below this are silence: ten steps of 0.1 down from 1 do not land on 0 exactly.
constexpr float kSilentVolume = 0.0005f;
/// Low-pass cut-offs in Hz: the always-present filter, and the muffled one.
constexpr float kOpenCutoffHz = 6500.0f;
constexpr float kMuffledCutoffHz = 150.0f;

/// A volume made safe to use as a gain: within 0..1, below kSilentVolume (or not a number) 0.
float clampVolume(float volume);
/// Clamps the four volumes of the block in place.
void clampVolumes(AudioSettings& settings);
/// The gain of each group (SFX, BGM, MFX): its volume times the master volume, 0 when muted.
std::array<float, kAudioGroupCount> groupGains(const AudioSettings& settings);
/// The high-frequency gain of OpenAL's low-pass filter (a shelf above 5 kHz) that matches a
/// 12 dB per octave low-pass at cutoffHz: the attenuation that slope reaches at 5 kHz.
float lowpassHighGain(float cutoffHz);

} // namespace Qel
