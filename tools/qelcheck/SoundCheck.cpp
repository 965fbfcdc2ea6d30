#include "CheckKinds.h"

#include "ECS/System/Systems/ButtonSystem.h"
#include "ECS/System/Systems/EnemySystem.h"
#include "ECS/System/Systems/MenuMessages.h"
#include "QelAudio/SoundDecoder.h"

#include <algorithm>

namespace Qel::Check {

namespace {

/// The sounds the engine plays by fixed names, and who plays them.
const std::pair<const char*, const char*> kEngineSounds[] = {
    {"buttons", ButtonSystem::kClickSound},
    {"menus", kTabSound},
    {"enemies", EnemySystem::kAttackSound},
};

} // namespace

// ".ogg" sounds, decoded as the audio manager's loader does; a sound that decodes to silence is
// as good as missing.
void checkSounds(CheckContext& context) {
    for (const auto& file : context.files("Audio", {".ogg"})) {
        ++context.result.filesChecked;
        const DecodedSound sound = decodeOgg(file.string());
        if (!sound.error.empty()) {
            context.report(file, "", "cannot be decoded: " + sound.error);
        } else if (std::all_of(sound.samples.begin(), sound.samples.end(),
                               [](int16_t s) { return s == 0; })) {
            context.report(file, "", "is silent, expected a sound that can be heard");
        }
    }
    for (const auto& [who, name] : kEngineSounds)
        if (!context.assets.sounds.names.contains(name))
            context.report(context.folder / "Audio", "",
                           std::string("the ") + who + " play the sound \"" + name + "\", which is missing");
}

} // namespace Qel::Check
