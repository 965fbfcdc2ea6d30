#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace Qel {

/// A whole sound as 16-bit samples, channels interleaved.
struct DecodedSound {
    std::vector<int16_t> samples;
    int channels = 0;
    int sampleRate = 0;
    /// Why decoding failed; empty when it succeeded.
    std::string error;
};

/// Longest sound decoded, in seconds of audio: a larger file is refused rather than filling memory.
constexpr double kMaxSoundSeconds = 600.0;

/// Decodes the Ogg Vorbis file at path (mono or stereo). Never throws: failures fill `error`.
DecodedSound decodeOgg(const std::string& path);

} // namespace Qel
