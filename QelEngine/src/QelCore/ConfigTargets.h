#pragma once

#include "QelAudio/AudioSettings.h"

#include <glm/vec2.hpp>

#include <cstdint>

namespace Qel {

class JSON;

/// What the user configuration drives: the window, frame timing and audio. The engine's
/// implementation forwards to its managers (see Systems::parseConfig); tests record the calls.
/// Sizes are in screen coordinates.
class ConfigTargets {
public:
    virtual ~ConfigTargets() = default;

    virtual void setFullscreen(bool on) = 0;
    virtual bool isFullscreen() const = 0;
    /// 1 waits for vertical sync, 0 does not.
    virtual void setSwapInterval(int interval) = 0;
    /// Stores the windowed size; resizes the window at once when it is windowed.
    virtual void setWindowedSize(int width, int height) = 0;
    virtual glm::ivec2 getWindowedSize() const = 0;
    /// The window's size right now (the monitor's video mode when fullscreen).
    virtual glm::ivec2 getCurrentSize() const = 0;
    /// Queues "windowResized" (width, height) for the broadcast receiver.
    virtual void announceWindowSize(int width, int height) = 0;
    /// Frames per second; 0 is uncapped.
    virtual void setFrameCap(uint32_t framesPerSecond) = 0;

    /// The audio settings block the eight audio keys are read into, or null while there is no
    /// audio to configure, which leaves those keys in the file as they are.
    virtual AudioSettings* audioSettings() = 0;
    /// Pushes the settings block to the audio output.
    virtual void applyAudioSettings() = 0;
};

} // namespace Qel
