#include "QelAudio/AudioDevice.h"

#include "QelCore/LogManager.h"

namespace Qel {

AudioDevice::AudioDevice(ALCdevice* openedDevice, const ALCint* attributes, bool isLoopback)
    : device(openedDevice), loopback(isLoopback) {
    context = alcCreateContext(device, attributes);
    if (context) alcMakeContextCurrent(context);
    filters = context && alcIsExtensionPresent(device, "ALC_EXT_EFX");
}

AudioDevice::~AudioDevice() {
    if (alcGetCurrentContext() == context) alcMakeContextCurrent(nullptr);
    if (context) alcDestroyContext(context);
    alcCloseDevice(device);
}

std::unique_ptr<AudioDevice> AudioDevice::openDefault() {
    ALCdevice* device = alcOpenDevice(nullptr);
    std::unique_ptr<AudioDevice> opened(device ? new AudioDevice(device, nullptr, false) : nullptr);
    if (opened && opened->context) return opened;
    log(LOG_HIGH, "No audio device could be opened: the game runs without sound");
    return nullptr;
}

std::unique_ptr<AudioDevice> AudioDevice::openLoopback(int sampleRate) {
    ALCdevice* device = alcLoopbackOpenDeviceSOFT(nullptr);
    if (!device) return nullptr;
    // No limiter and no HRTF: what is rendered is the plain mix, so levels can be measured.
    const ALCint attributes[] = {ALC_FORMAT_CHANNELS_SOFT, ALC_STEREO_SOFT, ALC_FORMAT_TYPE_SOFT, ALC_FLOAT_SOFT,
                                 ALC_FREQUENCY, sampleRate, ALC_OUTPUT_LIMITER_SOFT, ALC_FALSE,
                                 ALC_HRTF_SOFT, ALC_FALSE, 0};
    std::unique_ptr<AudioDevice> opened(new AudioDevice(device, attributes, true));
    return opened->context ? std::move(opened) : nullptr;
}

void AudioDevice::render(float* out, int frames) {
    if (loopback) alcRenderSamplesSOFT(device, out, frames);
}

} // namespace Qel
