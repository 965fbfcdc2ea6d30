#include "QelAudio/AudioGroup.h"

#include "QelAudio/AudioErrors.h"
#include "QelAudio/AudioLevels.h"

#include <algorithm>

namespace Qel {

namespace {

ALint stateOf(ALuint source) {
    ALint state = AL_STOPPED;
    alGetSourcei(source, AL_SOURCE_STATE, &state);
    return state;
}

} // namespace

AudioGroup::AudioGroup(bool filters) {
    if (!filters) return;
    alGetError();
    alGenFilters(1, &filter);
    alFilteri(filter, AL_FILTER_TYPE, AL_FILTER_LOWPASS);
    alFilterf(filter, AL_LOWPASS_GAINHF, lowpassHighGain(kOpenCutoffHz));
    if (!alSucceeded("creating a low-pass filter")) filter = 0;
}

AudioGroup::~AudioGroup() {
    stop();
    if (filter) alDeleteFilters(1, &filter);
}

ALuint AudioGroup::play(ALuint buffer, bool loop) {
    reclaim();
    ALuint source = 0;
    alGetError();
    alGenSources(1, &source);
    if (!alSucceeded("creating a source")) return 0;
    alSourcei(source, AL_BUFFER, static_cast<ALint>(buffer));
    alSourcei(source, AL_LOOPING, loop ? AL_TRUE : AL_FALSE);
    alSourcef(source, AL_GAIN, gain);
    attachFilter(source);
    if (!alSucceeded("setting up a source")) {
        alDeleteSources(1, &source);
        return 0;
    }
    voices.push_back({source});
    refresh(voices.back());
    return source;
}

void AudioGroup::stop() {
    for (const Voice& voice : voices) {
        alSourceStop(voice.source);
        alDeleteSources(1, &voice.source);
    }
    voices.clear();
}

void AudioGroup::setPaused(bool pause) {
    paused = pause;
    for (const Voice& voice : voices) refresh(voice);
}

void AudioGroup::setGain(float newGain) {
    gain = newGain;
    for (const Voice& voice : voices) alSourcef(voice.source, AL_GAIN, gain);
}

void AudioGroup::setMuffled(bool muffled) {
    if (!filter) return;
    alFilterf(filter, AL_LOWPASS_GAINHF, lowpassHighGain(muffled ? kMuffledCutoffHz : kOpenCutoffHz));
    // A source copies the filter's parameters when it is attached, so attach it again.
    for (const Voice& voice : voices) attachFilter(voice.source);
}

void AudioGroup::setSourcePaused(ALuint source, bool pause) {
    const size_t index = indexOf(source);
    if (index == voices.size()) return;
    voices[index].ownPaused = pause;
    refresh(voices[index]);
}

bool AudioGroup::isSourcePaused(ALuint source) const {
    const size_t index = indexOf(source);
    return index < voices.size() && voices[index].ownPaused;
}

void AudioGroup::stopSource(ALuint source) {
    const size_t index = indexOf(source);
    if (index == voices.size()) return;
    alSourceStop(source);
    alDeleteSources(1, &source);
    voices.erase(voices.begin() + static_cast<std::ptrdiff_t>(index));
}

void AudioGroup::reclaim() {
    std::erase_if(voices, [](const Voice& voice) {
        if (stateOf(voice.source) != AL_STOPPED) return false;
        alDeleteSources(1, &voice.source);
        return true;
    });
}

void AudioGroup::refresh(const Voice& voice) const {
    const ALint state = stateOf(voice.source);
    if (paused || voice.ownPaused) {
        if (state == AL_PLAYING) alSourcePause(voice.source);
    } else if (state == AL_PAUSED || state == AL_INITIAL) {
        alSourcePlay(voice.source);
    }
}

void AudioGroup::attachFilter(ALuint source) const {
    if (filter) alSourcei(source, AL_DIRECT_FILTER, static_cast<ALint>(filter));
}

size_t AudioGroup::indexOf(ALuint source) const {
    const auto found = std::find_if(voices.begin(), voices.end(), [source](const Voice& v) { return v.source == source; });
    return static_cast<size_t>(found - voices.begin());
}

} // namespace Qel
