// The configuration's read-and-repair path on arbitrary user and default files. Input: the user
// file, a NUL byte, the default file. Whatever they hold, the repaired document must be written,
// read back, and hold every key the program repairs, with its proper type.
#include "QelCore/ConfigTargets.h"
#include "QelCore/UserConfig.h"

#include "FuzzSupport.h"

#include <fstream>
#include <string_view>

namespace {

using fuzz::require;

bool usable(int side) {
    return side > 0 && side <= Qel::kMaxConfigWindowSide;
}

struct CheckingTargets final : Qel::ConfigTargets {
    void setFullscreen(bool on) override { fullscreen = on; }
    bool isFullscreen() const override { return fullscreen; }
    void setSwapInterval(int interval) override { require(interval == 0 || interval == 1); }
    void setWindowedSize(int width, int height) override {
        require(usable(width) && usable(height));
        windowed = {width, height};
    }
    glm::ivec2 getWindowedSize() const override { return windowed; }
    glm::ivec2 getCurrentSize() const override { return fullscreen ? glm::ivec2(2560, 1440) : windowed; }
    void announceWindowSize(int width, int height) override { require(usable(width) && usable(height)); }
    void setFrameCap(uint32_t) override {}
    Qel::AudioSettings* audioSettings() override { return &audio; }
    void applyAudioSettings() override {}

    bool fullscreen = false;
    glm::ivec2 windowed{1280, 720};
    Qel::AudioSettings audio;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::installQuietLog();
    static const std::filesystem::path defaultPath = fuzz::scratchFile("config.json");

    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const size_t split = input.find('\0');
    const std::string user(input.substr(0, split));
    if (split == std::string_view::npos) {
        std::filesystem::remove(defaultPath);
    } else {
        std::ofstream(defaultPath, std::ios::binary) << input.substr(split + 1);
    }

    Qel::JSON config = fuzz::parse(user);
    Qel::validateConfig(config, defaultPath);
    CheckingTargets targets;
    Qel::applyConfig(config, targets);

    std::ostringstream out;
    require(config.write(out));
    const Qel::JSON reread = fuzz::parse(out.str());
    require(reread.isParsed() && reread.isObject());
    bool flag = false;
    int side = 0;
    float volume = 0.0f;
    require(reread.get("Fullscreen", flag));
    require(reread.get("WindowWidth", side) && usable(side));
    require(reread.get("WindowHeight", side) && usable(side));
    for (const char* key : {"MasterVolume", "SFXVolume", "BGMVolume", "MFXVolume"})
        require(reread.get(key, volume));
    for (const char* key : {"MasterMute", "SFXMute", "BGMMute", "MFXMute"})
        require(reread.get(key, flag));
    return 0;
}
