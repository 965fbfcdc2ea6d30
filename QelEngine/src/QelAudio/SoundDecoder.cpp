#include "QelAudio/SoundDecoder.h"

#include "QelAudio/AudioErrors.h"

#include <vorbis/vorbisfile.h>

namespace Qel {

namespace {

DecodedSound failure(std::string text) {
    DecodedSound sound;
    sound.error = std::move(text);
    return sound;
}

} // namespace

DecodedSound decodeOgg(const std::string& path) {
    OggVorbis_File file;
    if (const int opened = ov_fopen(path.c_str(), &file); opened != 0) return failure(vorbisErrorText(opened));

    DecodedSound sound;
    const vorbis_info* info = ov_info(&file, -1);
    if (!info || info->channels < 1 || info->channels > 2 || info->rate <= 0) {
        ov_clear(&file);
        return failure("only mono and stereo sounds are played");
    }
    sound.channels = info->channels;
    sound.sampleRate = static_cast<int>(info->rate);
    const size_t maxSamples = static_cast<size_t>(kMaxSoundSeconds * sound.sampleRate) * sound.channels;

    char chunk[16384];
    int section = 0;
    for (;;) {
        // Little-endian, 16-bit, signed: the layout of int16_t here.
        const long read = ov_read(&file, chunk, sizeof(chunk), 0, 2, 1, &section);
        if (read == 0) break;
        if (read < 0) {
            ov_clear(&file);
            return failure(vorbisErrorText(static_cast<int>(read)));
        }
        const auto* first = reinterpret_cast<const int16_t*>(chunk);
        sound.samples.insert(sound.samples.end(), first, first + read / 2);
        if (sound.samples.size() > maxSamples) {
            ov_clear(&file);
            return failure("longer than the longest sound played");
        }
    }
    ov_clear(&file);
    if (sound.samples.empty()) return failure("no samples");
    return sound;
}

} // namespace Qel
