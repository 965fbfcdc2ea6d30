#include "QelAudio/AudioManager.h"

#include "QelCore/UserConfig.h"

namespace Qel {

struct AudioManagerData {};

AudioManager::AudioManager() : data(std::make_unique<AudioManagerData>()) {}

AudioManager::~AudioManager() = default;

void AudioManager::applySettings() {}

void AudioManager::writeSettings(JSON& config) const {
    writeAudioSettings(config, settings);
}

void AudioManager::update() {}

} // namespace Qel
