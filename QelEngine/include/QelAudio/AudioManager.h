#pragma once

#include "QelAudio/AudioSettings.h"
#include "QelCore/Singleton.h"

#include <memory>

namespace Qel {

class AudioDevice;
class AudioManagerData;
class JSON;

/// Plays the game's sounds in three groups, SFX, BGM and MFX, driven by the messages on the
/// "AudioManager" receiver. Created last among the managers, after the MessageManager and the
/// AssetManager. Without an audio device it runs silent and still accepts every message.
class AudioManager : public Singleton<AudioManager> {
public:
    /// Where the sounds are: every ".ogg" below it, named by its path without the extension.
    static constexpr const char* kAudioFolder = "../Assets/Audio";

    /// Plays through the system's default output device.
    AudioManager();
    /// Plays through device; null runs silent.
    explicit AudioManager(std::unique_ptr<AudioDevice> device);
    /// Joins the decoding worker; stops and deletes the sources before the sound buffers.
    ~AudioManager() override;

    /// Clamps the volumes of `settings` (0 to 1, near-silence is 0) and pushes the block to the
    /// three groups: volume products, mutes and pause states. Call it after every change.
    void applySettings();
    /// Replaces or adds the eight configuration keys of `settings` in config.
    void writeSettings(JSON& config) const;
    /// Once per frame from the main loop: decoded sounds become playable, finished ones are
    /// released.
    void update();

    /// The OpenAL side, for the engine's message handlers and for tests.
    AudioManagerData& internals() { return *data; }

    /// Volumes (0 to 1), mutes and group pause states; the configuration, the menus and the
    /// focus pause change it, then call applySettings.
    AudioSettings settings;

private:
    std::unique_ptr<AudioManagerData> data;
};

} // namespace Qel
