#include "QelAudio/Sound.h"

#include "QelAudio/AudioErrors.h"
#include "QelAudio/SoundDecoder.h"

namespace Qel {

std::shared_ptr<const SoundBuffer> SoundBuffer::create(const DecodedSound& sound) {
    ALuint id = 0;
    alGetError();
    alGenBuffers(1, &id);
    if (!alSucceeded("creating a sound buffer")) return nullptr;
    std::shared_ptr<const SoundBuffer> buffer(new SoundBuffer(id));
    alBufferData(id, sound.channels == 2 ? AL_FORMAT_STEREO16 : AL_FORMAT_MONO16, sound.samples.data(),
                 static_cast<ALsizei>(sound.samples.size() * sizeof(int16_t)), sound.sampleRate);
    return alSucceeded("filling a sound buffer") ? buffer : nullptr;
}

SoundBuffer::~SoundBuffer() {
    // OpenAL refuses to delete a buffer a source still holds: that would be a leak.
    alGetError();
    alDeleteBuffers(1, &buffer);
    alSucceeded("releasing a sound buffer");
}

} // namespace Qel
