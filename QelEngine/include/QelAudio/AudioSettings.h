#pragma once

namespace Qel {

/// The audio settings block: volumes (0 to 1), mute flags and the pause state of the three
/// channel groups. The configuration, the menus and the focus pause read and write it.
struct AudioSettings {
    float masterVolume = 0.6f;
    float sfxVolume = 0.6f;
    float bgmVolume = 0.4f;
    float mfxVolume = 0.6f;
    bool masterMute = false;
    bool sfxMute = false;
    bool bgmMute = false;
    bool mfxMute = false;
    bool sfxPaused = false;
    bool bgmPaused = false;
    bool mfxPaused = false;

    bool operator==(const AudioSettings&) const = default;
};

} // namespace Qel
