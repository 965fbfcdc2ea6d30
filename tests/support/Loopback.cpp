#include "Loopback.h"

#include "QelAudio/AudioDevice.h"
#include "QelAudio/AudioManager.h"
#include "QelAudio/AudioManagerData.h"

#include <cmath>

namespace Qel::test {

DecodedSound tone(double hz, double seconds) {
    DecodedSound sound{{}, 1, kLoopbackRate, {}};
    for (int i = 0; i < static_cast<int>(seconds * kLoopbackRate); ++i)
        sound.samples.push_back(
            static_cast<int16_t>(16000.0 * std::sin(6.283185307179586 * hz * i / kLoopbackRate)));
    return sound;
}

double rms(const std::vector<float>& samples) {
    double sum = 0.0;
    for (float s : samples)
        sum += s * s;
    return samples.empty() ? 0.0 : std::sqrt(sum / samples.size());
}

std::vector<float> render(AudioManager& audio, double seconds) {
    const int frames = static_cast<int>(seconds * kLoopbackRate);
    std::vector<float> stereo(2 * frames);
    audio.internals().device()->render(stereo.data(), frames);
    std::vector<float> left(frames);
    for (int i = 0; i < frames; ++i)
        left[i] = stereo[2 * i];
    return left;
}

std::vector<float> listen(AudioManager& audio, double seconds) {
    render(audio, 0.05);
    return render(audio, seconds);
}

} // namespace Qel::test
