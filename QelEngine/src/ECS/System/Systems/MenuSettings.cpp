#include "ECS/System/Systems/MenuSettings.h"

#include "ECS/ComponentManager.h"
#include "ECS/Components/SpriteRenderer.h"
#include "ECS/Components/Text.h"
#include "ECS/System/Systems/MenuEntities.h"
#include "QelAudio/AudioLevels.h"
#include "QelAudio/AudioManager.h"
#include "QelCore/FileHelper.h"
#include "QelCore/LogManager.h"
#include "QelCore/StrongAssert.h"
#include "QelCore/UserConfig.h"
#include "QelCore/WindowHandler.h"
#include "QelRenderer/Texture.h"
#include "data/AssetManager.h"
#include "data/JSON.h"
#include "data/NameHash.h"

#include <algorithm>
#include <cmath>
#include <fstream>

namespace Qel {

const std::array<const char*, 13> SettingsView::kNames = {
    "MasterVolumeLabel", "SFXVolumeLabel",     "BGMVolumeLabel",      "MFXVolumeLabel",    "MasterMuteToggle",
    "SFXMuteToggle",     "BGMMuteToggle",      "MFXMuteToggle",       "DisplayModeButton", "SettingsBackdrop",
    "UnsavedPanel",      "UnsavedApplyButton", "UnsavedDiscardButton"};

namespace {

// Indexed by VolumeChannel.
constexpr float AudioSettings::*kVolumes[kVolumeChannels] = {
    &AudioSettings::masterVolume, &AudioSettings::sfxVolume, &AudioSettings::bgmVolume,
    &AudioSettings::mfxVolume};
constexpr bool AudioSettings::*kMutes[kVolumeChannels] = {&AudioSettings::masterMute, &AudioSettings::sfxMute,
                                                          &AudioSettings::bgmMute, &AudioSettings::mfxMute};

void setText(Entity entity, const std::string& text) {
    ComponentManager* components = ComponentManager::instance();
    if (components && components->HasComponent<Text>(entity))
        components->GetComponent<Text>(entity).text = text;
}

void setTexture(Entity entity, const char* name) {
    ComponentManager* components = ComponentManager::instance();
    AssetManager* assets = AssetManager::instance();
    Registry<Texture>* textures = assets ? assets->findRegistry<Texture>() : nullptr;
    if (!components || !textures || !components->HasComponent<SpriteRenderer>(entity)) return;
    // A texture that is not loaded leaves the indicator as it was rather than blank.
    if (Texture* texture = textures->get(hashName(name)))
        components->GetComponent<SpriteRenderer>(entity).texture = texture;
}

void showVolume(const SettingsView& view, VolumeChannel channel, const AudioSettings& settings) {
    const auto index = static_cast<size_t>(channel);
    setText(view.label(channel), volumeLabel(settings.*kVolumes[index]));
    setTexture(view.indicator(channel), settings.*kMutes[index] ? "Muted" : "Unmuted");
}

bool isFullscreen() {
    const WindowHandler* window = WindowHandler::instance();
    return window && window->isFullscreen();
}

/// The user configuration, parsed; false when it does not parse (logged).
bool openConfig(JSON& config) {
    FileHelper* files = FileHelper::instance();
    std::ifstream file;
    if (!files || !files->openConfigFile(file)) QEL_STRONG_ASSERT("No config / default config found");
    config.parse(file);
    if (!config.isParsed() || !config.isObject()) {
        log(LOG_HIGH, "error parsing config file");
        return false;
    }
    return true;
}

} // namespace

void showUnsavedConfirmation(const SettingsView& view, std::span<const Entity> menu) {
    const std::span<const Entity> confirmation = view.unsavedConfirmation();
    for (Entity entity : menu) {
        if (entity != view.backdrop() &&
            std::find(confirmation.begin(), confirmation.end(), entity) == confirmation.end())
            showSlots(std::span(&entity, 1), false);
    }
    showSlots(confirmation, true);
}

float steppedVolume(float volume, float step) {
    return clampVolume(clampVolume(volume) + step);
}

std::string volumeLabel(float volume) {
    return std::to_string(std::lround(clampVolume(volume) * 100.0f)) + "%";
}

void stepVolume(const SettingsView& view, VolumeChannel channel, float step) {
    AudioManager* audio = AudioManager::instance();
    if (!audio) return;
    float& volume = audio->settings.*kVolumes[static_cast<size_t>(channel)];
    volume = steppedVolume(volume, step);
    showVolume(view, channel, audio->settings);
    audio->applySettings();
}

void toggleMute(const SettingsView& view, VolumeChannel channel) {
    AudioManager* audio = AudioManager::instance();
    if (!audio) return;
    bool& mute = audio->settings.*kMutes[static_cast<size_t>(channel)];
    mute = !mute;
    showVolume(view, channel, audio->settings);
    audio->applySettings();
}

void toggleDisplayMode(const SettingsView& view) {
    if (WindowHandler* window = WindowHandler::instance()) window->setFullscreen(!window->isFullscreen());
    setText(view.displayMode(), isFullscreen() ? "Fullscreen" : "Windowed");
}

void refreshSettingsView(const SettingsView& view) {
    if (const AudioManager* audio = AudioManager::instance()) {
        for (size_t i = 0; i < kVolumeChannels; ++i)
            showVolume(view, static_cast<VolumeChannel>(i), audio->settings);
    }
    setText(view.displayMode(), isFullscreen() ? "Fullscreen" : "Windowed");
}

void writeSettingsToConfig() {
    JSON config;
    if (!openConfig(config)) return;
    config.set("Fullscreen", isFullscreen());
    if (const AudioManager* audio = AudioManager::instance()) audio->writeSettings(config);
    const bool saved =
        FileHelper::writeFileAtomically(FileHelper::instance()->getUserPath(FileHelper::kConfigPath),
                                        [&config](std::ostream& out) { return config.write(out); });
    if (!saved) log(LOG_MED, "CFG: could not write the user configuration; the previous file is kept");
}

void readSettingsFromConfig() {
    JSON config;
    if (!openConfig(config)) return;
    bool fullscreen = false;
    WindowHandler* window = WindowHandler::instance();
    if (config.get("Fullscreen", fullscreen) && window && fullscreen != window->isFullscreen())
        window->setFullscreen(fullscreen);
    if (AudioManager* audio = AudioManager::instance()) {
        readAudioSettings(config, audio->settings);
        audio->applySettings();
    }
}

} // namespace Qel
