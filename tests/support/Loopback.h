#pragma once

// Sound rendered into memory through OpenAL Soft's loopback device, so tests can measure what a
// player would hear: levels as RMS of the left channel.
#include "QelAudio/SoundDecoder.h"

#include <vector>

namespace Qel {
class AudioManager;
}

namespace Qel::test {

inline constexpr int kLoopbackRate = 44100;

/// A mono sine tone at kLoopbackRate.
DecodedSound tone(double hz, double seconds);
double rms(const std::vector<float>& samples);

/// The left channel of the manager's next `seconds` of output (its device must be a loopback one).
std::vector<float> render(AudioManager& audio, double seconds);
/// The same once a change has been mixed in: OpenAL fades gains and filters over one mixing block
/// (about 2048 frames), which is rendered and dropped first.
std::vector<float> listen(AudioManager& audio, double seconds);

} // namespace Qel::test
