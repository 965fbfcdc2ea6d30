// soundgen: synthesises the game's sounds and writes them as Ogg Vorbis files into
// <repository root>/Assets/Audio. The same root always gets the same bytes.
// Usage: soundgen <repository root>
#include "OggWriter.h"
#include "Sounds.h"

#include <iostream>

namespace {

struct SoundFile {
    const char* name; // asset name: the path below Assets/Audio without ".ogg"
    SoundGen::Clip (*make)();
    float quality; // Vorbis VBR quality: music a little better than effects
};

const SoundFile kSounds[] = {
    {"Music/TitleTheme", SoundGen::titleTheme, 0.1f},
    {"Music/LevelTheme", SoundGen::levelTheme, 0.1f},
    {"Music/DeepTheme", SoundGen::deepTheme, 0.1f},
    {"ClickingButtons/ButtonPress", SoundGen::buttonPress, 0.0f},
    {"SwappingTabs/SwabTabs", SoundGen::swapTabs, 0.0f},
    {"Icewalf(Enemy)/IcewalfAttack", SoundGen::icewalfAttack, 0.0f},
    {"Icewalf(Enemy)/IcewalfHurt", SoundGen::icewalfHurt, 0.0f},
    {"Icewalf(Enemy)/IcewalfDeath", SoundGen::icewalfDeath, 0.0f},
    {"Player/HammerSwing", SoundGen::hammerSwing, 0.0f},
    {"Player/HammerHit", SoundGen::hammerHit, 0.0f},
    {"Player/PlayerHurt", SoundGen::playerHurt, 0.0f},
    {"Player/Footstep", SoundGen::footstep, 0.0f},
    {"Level/ExitOpen", SoundGen::exitOpen, 0.0f},
};

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: soundgen <repository root>\n";
        return 2;
    }
    const std::filesystem::path folder = std::filesystem::path(argv[1]) / "Assets" / "Audio";
    int failures = 0;
    for (const SoundFile& sound : kSounds) {
        const std::filesystem::path path = folder / (std::string(sound.name) + ".ogg");
        if (!SoundGen::writeOgg(path, sound.make().samples(), SoundGen::kSampleRate, sound.quality)) {
            std::cerr << "soundgen: cannot write " << path << '\n';
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
