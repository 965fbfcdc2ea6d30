#include "QelAudio/AudioManager.h"

#include "QelAudio/AudioDevice.h"
#include "QelAudio/AudioLevels.h"
#include "QelAudio/AudioManagerData.h"
#include "QelAudio/AudioMessages.h"
#include "QelCore/StrongAssert.h"
#include "QelCore/UserConfig.h"
#include "data/NameHash.h"
#include "messaging/MessageManager.h"

namespace Qel {

namespace {

constexpr uint64_t kReceiverKey = hashName("AudioManager");

} // namespace

AudioManager::AudioManager() : AudioManager(AudioDevice::openDefault()) {}

AudioManager::AudioManager(std::unique_ptr<AudioDevice> device)
    : data(std::make_unique<AudioManagerData>(std::move(device))) {
    MessageManager* messages = MessageManager::instance();
    if (!messages) QEL_STRONG_ASSERT("MessageManager must be constructed before AudioManager");
    addAudioHandlers(*messages->getReceiver(kReceiverKey));
    data->startLoading(kAudioFolder);
    applySettings();
}

AudioManager::~AudioManager() {
    if (MessageManager* messages = MessageManager::instance()) messages->removeReceiver(kReceiverKey);
}

void AudioManager::applySettings() {
    clampVolumes(settings);
    data->setGains(groupGains(settings));
    data->setPaused(AudioGroupId::SFX, settings.sfxPaused);
    data->setPaused(AudioGroupId::BGM, settings.bgmPaused);
    data->setPaused(AudioGroupId::MFX, settings.mfxPaused);
}

void AudioManager::writeSettings(JSON& config) const {
    writeAudioSettings(config, settings);
}

void AudioManager::update() {
    data->update();
}

} // namespace Qel
