#pragma once

#include "QelAudio/AudioGroup.h"
#include "QelAudio/AudioLevels.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace Qel {

class AudioDevice;
class SoundLoader;
struct DecodedSound;
struct Sound;

/// The OpenAL side of the AudioManager: the device, the three groups, the music loop and the
/// sound loading. Without a device every operation does nothing, so the game runs silent.
/// Main thread only.
class AudioManagerData {
public:
    /// device may be null: no output.
    explicit AudioManagerData(std::unique_ptr<AudioDevice> device);
    /// Joins the decoding worker, deletes the sources, then the sound buffers, then the device.
    ~AudioManagerData();
    AudioManagerData(const AudioManagerData&) = delete;
    AudioManagerData& operator=(const AudioManagerData&) = delete;

    AudioDevice* device() const { return output.get(); }

    /// Registers every ".ogg" below folder as a sound that is decoding, and starts decoding them
    /// on a worker. Nothing is loaded without a device.
    void startLoading(const std::filesystem::path& folder);
    /// Registers name as a sound made from samples at once (failed when they carry an error).
    void addSound(std::string_view name, const DecodedSound& sound);
    /// Whether sounds are still being decoded.
    bool loading() const { return loader != nullptr; }

    void play(AudioGroupId id, uint64_t key);
    /// Starts key looping in BGM; once it has a source, the old loop stops. A sound still decoding
    /// starts when it is ready.
    void loop(uint64_t key);
    void stopLoop();
    void setLoopPaused(bool paused);
    void toggleLoop();

    void stop(AudioGroupId id);
    void setPaused(AudioGroupId id, bool paused);
    void togglePaused(AudioGroupId id);
    void setMuffled(AudioGroupId id, bool muffled);
    void setGains(const std::array<float, kAudioGroupCount>& gains);

    /// Per frame: decoded sounds get their buffers, a waiting loop starts, finished sources go.
    void update();

    /// The group, or nullptr without a device.
    AudioGroup* group(AudioGroupId id) const { return groups[static_cast<size_t>(id)].get(); }
    /// The music loop's source, 0 when there is none.
    ALuint loopSource() const { return loopingSource; }

private:
    /// The sound under key when it can play now; otherwise logs why (once while decoding) and,
    /// for the loop, remembers to start it when it is ready.
    Sound* playable(uint64_t key, bool forLoop);
    void finish(uint64_t key, const std::string& path, const DecodedSound& sound);

    std::unique_ptr<AudioDevice> output;
    std::array<std::unique_ptr<AudioGroup>, kAudioGroupCount> groups;
    std::unique_ptr<SoundLoader> loader;
    ALuint loopingSource = 0;
    std::optional<uint64_t> waitingLoop;
};

} // namespace Qel
