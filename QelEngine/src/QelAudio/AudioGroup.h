#pragma once

#include "QelAudio/OpenAL.h"

#include <cstddef>
#include <vector>

namespace Qel {

/// A channel group: the OpenAL sources playing in it, with one gain, one pause state and one
/// low-pass filter for all of them. A source sounds while neither the group nor the source itself
/// is paused. Finished sources are deleted (reclaim), so the group only holds live ones.
class AudioGroup {
public:
    /// filters: whether EFX is there; without it the group is never muffled.
    explicit AudioGroup(bool filters);
    /// Stops and deletes the sources, then the filter.
    ~AudioGroup();
    AudioGroup(const AudioGroup&) = delete;
    AudioGroup& operator=(const AudioGroup&) = delete;

    /// Starts buffer on a new source (held if the group is paused); 0 when OpenAL gives no source.
    ALuint play(ALuint buffer, bool loop);
    /// Stops every source; they are reclaimed at once.
    void stop();
    void setPaused(bool paused);
    bool isPaused() const { return paused; }
    void setGain(float gain);
    /// Lowers the filter's cut-off to the muffled one, or raises it back.
    void setMuffled(bool muffled);

    /// The source's own pause state (the music loop's), on top of the group's.
    void setSourcePaused(ALuint source, bool paused);
    bool isSourcePaused(ALuint source) const;
    void stopSource(ALuint source);

    /// Deletes the sources that have finished playing.
    void reclaim();
    size_t sourceCount() const { return voices.size(); }

private:
    struct Voice {
        ALuint source;
        bool ownPaused = false;
    };

    /// Plays or pauses the source as the two pause states say.
    void refresh(const Voice& voice) const;
    void attachFilter(ALuint source) const;
    /// The source's place in voices; voices.size() when the group does not hold it.
    size_t indexOf(ALuint source) const;

    std::vector<Voice> voices;
    ALuint filter = 0;
    float gain = 1.0f;
    bool paused = false;
};

} // namespace Qel
