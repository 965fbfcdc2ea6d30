#include "QelAudio/AudioMessages.h"

#include "QelAudio/AudioManager.h"
#include "QelAudio/AudioManagerData.h"
#include "data/NameHash.h"
#include "messaging/BroadcastReceiver.h"

#include <tuple>
#include <utility>

namespace Qel {

namespace {

using Group = AudioGroupId;

template <class Action>
void withAudio(Action&& action) {
    if (AudioManager* audio = AudioManager::instance()) action(audio->internals());
}

/// Messages that name a sound carry its key as their one u64 argument.
template <class Action>
void withSound(Message& message, Action&& action) {
    if (const std::tuple<uint64_t>* args = message.argsAs<uint64_t>())
        withAudio([&](AudioManagerData& audio) { action(audio, std::get<0>(*args)); });
}

template <Group G> void play(Message& message) {
    withSound(message, [](AudioManagerData& audio, uint64_t key) { audio.play(G, key); });
}
template <Group G> void stop(Message&) {
    withAudio([](AudioManagerData& audio) { audio.stop(G); });
}
template <Group G, bool Paused> void pause(Message&) {
    withAudio([](AudioManagerData& audio) { audio.setPaused(G, Paused); });
}
template <Group G> void toggle(Message&) {
    withAudio([](AudioManagerData& audio) { audio.togglePaused(G); });
}
template <Group G, bool Muffled> void muffle(Message&) {
    withAudio([](AudioManagerData& audio) { audio.setMuffled(G, Muffled); });
}

void loop(Message& message) {
    withSound(message, [](AudioManagerData& audio, uint64_t key) { audio.loop(key); });
}
void stopLoop(Message&) {
    withAudio([](AudioManagerData& audio) { audio.stopLoop(); });
}
template <bool Paused> void pauseLoop(Message&) {
    withAudio([](AudioManagerData& audio) { audio.setLoopPaused(Paused); });
}
void toggleLoop(Message&) {
    withAudio([](AudioManagerData& audio) { audio.toggleLoop(); });
}

const std::pair<const char*, MessageHandler> kHandlers[] = {
    {"playSFX", play<Group::SFX>},
    {"stopSFX", stop<Group::SFX>},
    {"pauseSFX", pause<Group::SFX, true>},
    {"unpauseSFX", pause<Group::SFX, false>},
    {"toggleSFX", toggle<Group::SFX>},
    {"muffleSFX", muffle<Group::SFX, true>},
    {"unmuffleSFX", muffle<Group::SFX, false>},
    {"playBGM", play<Group::BGM>},
    {"stopBGM", stop<Group::BGM>},
    {"pauseBGM", pause<Group::BGM, true>},
    {"unpauseBGM", pause<Group::BGM, false>},
    {"toggleBGM", toggle<Group::BGM>},
    {"muffleBGM", muffle<Group::BGM, true>},
    {"unmuffleBGM", muffle<Group::BGM, false>},
    {"playMFX", play<Group::MFX>},
    {"stopMFX", stop<Group::MFX>},
    {"pauseMFX", pause<Group::MFX, true>},
    {"unpauseMFX", pause<Group::MFX, false>},
    {"toggleMFX", toggle<Group::MFX>},
    {"muffleMFX", muffle<Group::MFX, true>},
    {"unmuffleMFX", muffle<Group::MFX, false>},
    {"loopBGM", loop},
    {"stopBGMloop", stopLoop},
    {"pauseBGMloop", pauseLoop<true>},
    {"unpauseBGMloop", pauseLoop<false>},
    {"toggleBGMloop", toggleLoop},
};

} // namespace

void addAudioHandlers(BroadcastReceiver& receiver) {
    for (const auto& [name, handler] : kHandlers) receiver.addHandler(hashName(name), handler);
}

} // namespace Qel
