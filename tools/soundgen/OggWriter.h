#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace SoundGen {

/// Encodes mono samples (-1..1) at sampleRate as Ogg Vorbis at the given VBR quality (-0.1 to
/// 1) into path, creating its folders. The stream serial is fixed, so the bytes are too.
/// Returns whether the file was written.
bool writeOgg(const std::filesystem::path& path, const std::vector<float>& samples, int sampleRate,
              float quality);

} // namespace SoundGen
