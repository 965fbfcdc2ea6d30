#pragma once

#include "QelAudio/OpenAL.h"

#include <memory>

namespace Qel {

/// An OpenAL output device with its context, made current for the whole process while it lives.
class AudioDevice {
public:
    /// The system's default output, or nullptr (logged once at HIGH) when none can be opened.
    static std::unique_ptr<AudioDevice> openDefault();
    /// A stereo float device that mixes only when render() asks, at sampleRate frames per second.
    static std::unique_ptr<AudioDevice> openLoopback(int sampleRate);

    ~AudioDevice();
    AudioDevice(const AudioDevice&) = delete;
    AudioDevice& operator=(const AudioDevice&) = delete;

    /// Whether the EFX filters (muffling) are available.
    bool hasFilters() const { return filters; }
    /// Loopback devices only: mixes `frames` stereo frames into out (2 floats per frame).
    void render(float* out, int frames);

private:
    AudioDevice(ALCdevice* device, const ALCint* attributes, bool loopback);

    ALCdevice* device = nullptr;
    ALCcontext* context = nullptr;
    bool filters = false;
    bool loopback = false;
};

} // namespace Qel
