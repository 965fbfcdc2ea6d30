#include "QelCore/UserConfig.h"

#include "QelCore/ConfigTargets.h"
#include "QelCore/FileHelper.h"
#include "QelCore/LogManager.h"
#include "QelCore/StrongAssert.h"
#include "data/JSON.h"

#include <fstream>
#include <utility>

namespace Qel {

namespace {

constexpr std::pair<const char*, float AudioSettings::*> kVolumeKeys[] = {
    {"MasterVolume", &AudioSettings::masterVolume},
    {"SFXVolume", &AudioSettings::sfxVolume},
    {"BGMVolume", &AudioSettings::bgmVolume},
    {"MFXVolume", &AudioSettings::mfxVolume},
};

constexpr std::pair<const char*, bool AudioSettings::*> kMuteKeys[] = {
    {"MasterMute", &AudioSettings::masterMute},
    {"SFXMute", &AudioSettings::sfxMute},
    {"BGMMute", &AudioSettings::bgmMute},
    {"MFXMute", &AudioSettings::mfxMute},
};

bool usableWindowSide(int side) {
    return side > 0 && side <= kMaxConfigWindowSide;
}

} // namespace

bool isValidConfig(const JSON& config) {
    if (!config.isParsed() || !config.isObject()) return false;
    int version = 0;
    return config.get("CFGVersion", version) && version >= kMinConfigVersion;
}

void validateConfig(JSON& config, const std::filesystem::path& defaultPath) {
    config.cursor = nullptr;
    if (isValidConfig(config)) {
        logf(LOG_CRITICAL, "CFG Validated for minimum version: %d", kMinConfigVersion);
        return;
    }
    std::ifstream defaults(defaultPath);
    if (!defaults.is_open()) {
        log(LOG_CRITICAL, "FAILED TO OPEN DEFAULT CONFIG!");
    } else {
        config = JSON();
        config.parse(defaults);
        if (!isValidConfig(config)) log(LOG_CRITICAL, "DEFAULT CONFIG FAILED VALIDATION!");
    }
    // An empty document turns into an object on its first write; any other root could not.
    if (!config.isObject()) config = JSON();
}

void applyConfig(JSON& config, ConfigTargets& targets) {
    config.cursor = nullptr;

    bool fullscreen = false;
    if (config.get("Fullscreen", fullscreen)) {
        targets.setFullscreen(fullscreen);
    } else {
        config.set("Fullscreen", targets.isFullscreen());
    }

    bool vsync = false;
    if (config.get("VSync", vsync)) targets.setSwapInterval(vsync ? 1 : 0);

    int width = 0;
    int height = 0;
    const bool haveWidth = config.get("WindowWidth", width);
    const bool haveHeight = config.get("WindowHeight", height);
    bool sizeRead = haveWidth && haveHeight;
    if (sizeRead && !(usableWindowSide(width) && usableWindowSide(height))) {
        // A zero, negative or enormous window cannot be created; treat it like a mistyped key.
        logf(LOG_MED, "CFG: window size %d x %d is out of range", width, height);
        sizeRead = false;
    }
    if (sizeRead) {
        targets.setWindowedSize(width, height);
        if (!targets.isFullscreen()) targets.announceWindowSize(width, height);
    } else {
        const glm::ivec2 size = targets.isFullscreen() ? targets.getCurrentSize() : targets.getWindowedSize();
        config.set("WindowWidth", size.x);
        config.set("WindowHeight", size.y);
    }

    unsigned frameCap = 0;
    if (config.get("FramerateCap", frameCap)) targets.setFrameCap(frameCap);

    if (AudioSettings* audio = targets.audioSettings()) {
        readAudioSettings(config, *audio);
        // Applied first: applying clamps the volumes, and the file keeps the effective values.
        targets.applyAudioSettings();
        writeAudioSettings(config, *audio);
    }
}

void readAudioSettings(const JSON& config, AudioSettings& settings) {
    for (const auto& [key, field] : kVolumeKeys)
        config.get(key, settings.*field);
    for (const auto& [key, field] : kMuteKeys)
        config.get(key, settings.*field);
}

void writeAudioSettings(JSON& config, const AudioSettings& settings) {
    for (const auto& [key, field] : kVolumeKeys)
        config.set(key, settings.*field);
    for (const auto& [key, field] : kMuteKeys)
        config.set(key, settings.*field);
}

void loadUserConfig(ConfigTargets& targets) {
    FileHelper* files = FileHelper::instance();
    std::ifstream file;
    if (!files || !files->openConfigFile(file)) QEL_STRONG_ASSERT("No config / default config found");

    JSON config;
    config.parse(file);
    file.close();
    validateConfig(config, std::filesystem::path(FileHelper::kDefaultsDirectory) / FileHelper::kConfigPath);
    applyConfig(config, targets);

    const bool saved =
        FileHelper::writeFileAtomically(files->getUserPath(FileHelper::kConfigPath),
                                        [&config](std::ostream& out) { return config.write(out); });
    if (!saved) log(LOG_MED, "CFG: could not write the user configuration; the previous file is kept");
    log(LOG_LOW, "End of parse config function");
}

} // namespace Qel
