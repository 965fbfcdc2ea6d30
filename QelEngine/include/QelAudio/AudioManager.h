#pragma once

#include "QelAudio/AudioSettings.h"
#include "QelCore/Singleton.h"

#include <memory>

namespace Qel {

class JSON;
struct AudioManagerData;

/// Plays the game's sounds in three groups, SFX, BGM and MFX, driven by the messages on the
/// "AudioManager" receiver. Created last among the managers. Without an audio device it runs
/// silent and still accepts every message.
class AudioManager : public Singleton<AudioManager> {
public:
    AudioManager();
    ~AudioManager() override;

    /// Pushes `settings` to the three groups: volume products, mutes and pause states. Call it
    /// after every change of `settings`.
    void applySettings();
    /// Replaces or adds the eight configuration keys of `settings` in config.
    void writeSettings(JSON& config) const;
    /// Once per frame from the main loop: finished sounds are reclaimed, decoded sounds become
    /// playable.
    void update();

    /// Volumes (0 to 1), mutes and group pause states; the configuration, the menus and the
    /// focus pause change it, then call applySettings.
    AudioSettings settings;

private:
    std::unique_ptr<AudioManagerData> data;
};

} // namespace Qel
