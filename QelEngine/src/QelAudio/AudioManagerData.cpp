#include "QelAudio/AudioManagerData.h"

#include "QelAudio/AudioDevice.h"
#include "QelAudio/Sound.h"
#include "QelAudio/SoundLoader.h"
#include "QelCore/LogManager.h"
#include "data/AssetManager.h"
#include "data/DirectoryLoader.h"

#include <vector>

namespace Qel {

namespace {

Registry<Sound>* soundRegistry() {
    AssetManager* assets = AssetManager::instance();
    return assets ? assets->findRegistry<Sound>() : nullptr;
}

const char* nameOf(uint64_t key) {
    const AssetManager* assets = AssetManager::instance();
    const std::string* name = assets ? assets->nameOf(key) : nullptr;
    return name ? name->c_str() : "?";
}

} // namespace

AudioManagerData::AudioManagerData(std::unique_ptr<AudioDevice> device) : output(std::move(device)) {
    if (!output) return;
    for (std::unique_ptr<AudioGroup>& group : groups) group = std::make_unique<AudioGroup>(output->hasFilters());
}

AudioManagerData::~AudioManagerData() {
    loader.reset();
    for (std::unique_ptr<AudioGroup>& group : groups) group.reset();
    if (Registry<Sound>* sounds = soundRegistry()) sounds->eraseIf([](uint64_t, const Sound&) { return true; });
    output.reset();
}

void AudioManagerData::startLoading(const std::filesystem::path& folder) {
    AssetManager* assets = AssetManager::instance();
    if (!output || !assets) return;
    assets->obtainRegistry<Sound>();
    std::vector<SoundLoader::Job> jobs;
    loadDirectory(folder, {".ogg"}, [&](const std::string& name, const std::string& path) {
        if (!assets->load<Sound>(name)) return false;
        jobs.push_back({hashName(name), path});
        return true;
    });
    if (!jobs.empty()) loader = std::make_unique<SoundLoader>(std::move(jobs));
}

void AudioManagerData::addSound(std::string_view name, const DecodedSound& sound) {
    AssetManager* assets = AssetManager::instance();
    if (!output || !assets || !assets->load<Sound>(name)) return;
    finish(hashName(name), std::string(name), sound);
}

void AudioManagerData::finish(uint64_t key, const std::string& path, const DecodedSound& decoded) {
    Registry<Sound>* sounds = soundRegistry();
    Sound* sound = sounds ? sounds->get(key) : nullptr;
    if (!sound) return;
    if (!decoded.error.empty()) logf(LOG_HIGH, "Sound \"%s\" could not be decoded: %s", path.c_str(), decoded.error.c_str());
    sound->buffer = decoded.error.empty() ? SoundBuffer::create(decoded) : nullptr;
    sound->state = sound->buffer ? Sound::State::Ready : Sound::State::Failed;
}

Sound* AudioManagerData::playable(uint64_t key, bool forLoop) {
    Registry<Sound>* sounds = soundRegistry();
    Sound* sound = sounds ? sounds->get(key) : nullptr;
    if (!sound) {
        log(LOG_LOW, "Sound does not exist");
        return nullptr;
    }
    if (sound->state == Sound::State::Decoding) {
        if (!sound->loadingLogged) logf(LOG_LOW, "Sound \"%s\" is still loading", nameOf(key));
        sound->loadingLogged = true;
        if (forLoop) waitingLoop = key;
    }
    return sound->state == Sound::State::Ready ? sound : nullptr;
}

void AudioManagerData::play(AudioGroupId id, uint64_t key) {
    if (!output) return;
    if (const Sound* sound = playable(key, false)) group(id)->play(sound->buffer->id(), false);
}

void AudioManagerData::loop(uint64_t key) {
    if (!output) return;
    const Sound* sound = playable(key, true);
    if (!sound) return;
    waitingLoop.reset();
    AudioGroup& music = *group(AudioGroupId::BGM);
    const ALuint started = music.play(sound->buffer->id(), true);
    if (!started) return;
    // The old loop stops only once the new one has started.
    music.stopSource(loopingSource);
    loopingSource = started;
}

void AudioManagerData::stopLoop() {
    waitingLoop.reset();
    if (!output) return;
    group(AudioGroupId::BGM)->stopSource(loopingSource);
    loopingSource = 0;
}

void AudioManagerData::setLoopPaused(bool paused) {
    if (output) group(AudioGroupId::BGM)->setSourcePaused(loopingSource, paused);
}

void AudioManagerData::toggleLoop() {
    if (output && loopingSource) setLoopPaused(!group(AudioGroupId::BGM)->isSourcePaused(loopingSource));
}

void AudioManagerData::stop(AudioGroupId id) {
    if (!output) return;
    group(id)->stop();
    // The loop's source is gone with its group's; its id may be handed out again.
    if (id == AudioGroupId::BGM) loopingSource = 0;
}

void AudioManagerData::setPaused(AudioGroupId id, bool paused) {
    if (output) group(id)->setPaused(paused);
}

void AudioManagerData::togglePaused(AudioGroupId id) {
    if (output) group(id)->setPaused(!group(id)->isPaused());
}

void AudioManagerData::setMuffled(AudioGroupId id, bool muffled) {
    if (output) group(id)->setMuffled(muffled);
}

void AudioManagerData::setGains(const std::array<float, kAudioGroupCount>& gains) {
    if (!output) return;
    for (size_t i = 0; i < kAudioGroupCount; ++i) groups[i]->setGain(gains[i]);
}

void AudioManagerData::update() {
    if (!output) return;
    if (loader) {
        for (const SoundLoader::Result& result : loader->takeFinished()) finish(result.key, result.path, result.sound);
        if (loader->done()) loader.reset();
    }
    if (waitingLoop) {
        const Sound* sound = soundRegistry() ? soundRegistry()->get(*waitingLoop) : nullptr;
        if (!sound || sound->state == Sound::State::Failed) waitingLoop.reset();
        else if (sound->state == Sound::State::Ready) loop(*waitingLoop);
    }
    for (const std::unique_ptr<AudioGroup>& group : groups) group->reclaim();
}

} // namespace Qel
