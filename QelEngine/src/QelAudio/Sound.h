#pragma once

#include "QelAudio/OpenAL.h"

#include <memory>

namespace Qel {

struct DecodedSound;

/// One OpenAL buffer, deleted with its last owner. Sources playing it must be deleted first.
class SoundBuffer {
public:
    /// The buffer of a decoded sound, or nullptr (logged) when OpenAL refuses it.
    static std::shared_ptr<const SoundBuffer> create(const DecodedSound& sound);
    ~SoundBuffer();
    SoundBuffer(const SoundBuffer&) = delete;
    SoundBuffer& operator=(const SoundBuffer&) = delete;

    ALuint id() const { return buffer; }

private:
    explicit SoundBuffer(ALuint id) : buffer(id) {}
    ALuint buffer;
};

/// A sound in the registry: decoding on the worker, playable, or failed (plays nothing).
struct Sound {
    enum class State { Decoding, Ready, Failed };

    State state = State::Decoding;
    /// Shared: copies of the entry play the same buffer.
    std::shared_ptr<const SoundBuffer> buffer;
    /// "still loading" is said once per sound.
    bool loadingLogged = false;
};

} // namespace Qel
