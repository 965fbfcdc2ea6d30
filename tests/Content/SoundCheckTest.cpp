// Checks the shipped sounds: every file under Assets/Audio decodes to something audible, and every
// sound a scene names as its music, a script plays by name, or the engine plays by a fixed name, is
// one of them.
#include "Files.h"

#include "QelAudio/SoundDecoder.h"
#include "data/JSON.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <regex>
#include <set>
#include <string>

namespace fs = std::filesystem;

namespace {

const fs::path kAssets = fs::path(QEL_SOURCE_DIR) / "Assets";

TEST(SoundCheck, EverySoundDecodesAndEveryNamedSoundExists) {
    std::set<std::string> sounds;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(kAssets / "Audio")) {
        if (entry.path().extension() != ".ogg") continue;
        const Qel::DecodedSound sound = Qel::decodeOgg(entry.path().string());
        const bool audible =
            std::any_of(sound.samples.begin(), sound.samples.end(), [](int16_t s) { return s != 0; });
        EXPECT_TRUE(sound.error.empty() && audible) << entry.path() << ": " << sound.error;
        sounds.insert(fs::relative(entry.path(), kAssets / "Audio").replace_extension().generic_string());
    }

    // Played by the buttons, the pause menu's tabs and the enemies.
    std::set<std::string> named = {"ClickingButtons/ButtonPress", "SwappingTabs/SwabTabs",
                                   "Icewalf(Enemy)/IcewalfAttack"};
    for (const fs::directory_entry& entry : fs::directory_iterator(kAssets / "Scenes")) {
        Qel::JSON scene = Qel::test::parseJson(Qel::test::readText(entry.path()));
        std::string music;
        ASSERT_TRUE(scene.cd("Scene")) << entry.path();
        EXPECT_TRUE(scene.get("BGM", music)) << entry.path() << " names no music";
        named.insert(music);
    }
    static const std::regex played(R"re((?:play(?:SFX|MFX|BGM)|loopBGM)\s*\(\s*"([^"]+)")re");
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(kAssets / "Scripts")) {
        const std::string code = Qel::test::readText(entry.path());
        for (std::sregex_iterator it(code.begin(), code.end(), played), end; it != end; ++it)
            named.insert((*it)[1].str());
    }
    for (const std::string& name : named)
        EXPECT_TRUE(sounds.contains(name)) << "missing sound \"" << name << "\"";
}

} // namespace
