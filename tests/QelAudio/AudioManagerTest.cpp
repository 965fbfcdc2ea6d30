// The audio manager rendered through OpenAL Soft's loopback device into memory: levels are
// measured as RMS, tones by their amplitude at one frequency.
#include "Files.h"
#include "Loopback.h"
#include "LogSink.h"
#include "World.h"

#include "QelAudio/AudioDevice.h"
#include "QelAudio/AudioManager.h"
#include "QelAudio/AudioManagerData.h"
#include "QelAudio/SoundDecoder.h"
#include "QelCore/GameStateManager.h"
#include "data/NameHash.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <thread>

using namespace Qel;

namespace {

constexpr int kRate = test::kLoopbackRate;
constexpr double kTwoPi = 6.283185307179586;
using test::rms;
using test::tone;

/// Amplitude of the hz component (Goertzel).
double levelAt(const std::vector<float>& samples, double hz) {
    const double c = 2.0 * std::cos(kTwoPi * hz / kRate);
    double s1 = 0.0, s2 = 0.0;
    for (float x : samples) {
        const double s0 = x + c * s1 - s2;
        s2 = s1;
        s1 = s0;
    }
    return 2.0 * std::sqrt(std::max(0.0, s1 * s1 + s2 * s2 - c * s1 * s2)) / samples.size();
}

double decibels(double level, double reference) {
    return 20.0 * std::log10(level / reference);
}

class AudioTest : public testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(sandbox / "Assets/Audio");
        sandbox.enter("run");
        audio = std::make_unique<AudioManager>(AudioDevice::openLoopback(kRate));
        for (int hz : {200, 300, 500, 700, 800, 12000})
            sounds().addSound(std::to_string(hz), tone(hz, 2.0));
        sounds().addSound("Blip", tone(1000, 0.02));
        sounds().addSound("Short", tone(300, 0.2));
        audio->settings = {1.0f, 1.0f, 1.0f, 1.0f};
        audio->applySettings();
    }

    AudioManagerData& sounds() { return audio->internals(); }

    /// Delivers a message at once, the sound's key as its argument (ignored by keyless messages).
    void say(const char* name, const char* sound = "") {
        MessageArgs<uint64_t> message(hashName(name), hashName(sound));
        world.messages->sendImmediate(message, hashName("AudioManager"));
    }

    std::vector<float> render(double seconds) { return test::render(*audio, seconds); }
    std::vector<float> listen(double seconds) { return test::listen(*audio, seconds); }

    test::World world;
    test::Sandbox sandbox{"audio"};
    test::LogSink logged;
    std::unique_ptr<AudioManager> audio;
};

TEST_F(AudioTest, GroupGainIsVolumeTimesMasterWithVolumesClampedAndEachMuteSilencesOnlyItsGroup) {
    say("playSFX", "300");
    const double reference = rms(listen(0.2));
    ASSERT_GT(reference, 0.05);
    struct Gain {
        float master, sfx, ratio;
    };
    // Negative and above-one volumes would be OpenAL errors that leave the old gain in place.
    for (const Gain& c : {Gain{0.5f, 0.6f, 0.3f}, Gain{1.0f, -0.5f, 0.0f}, Gain{0.5f, 1.7f, 0.5f},
                          Gain{1.0f, 0.0004f, 0.0f}}) {
        audio->settings.masterVolume = c.master;
        audio->settings.sfxVolume = c.sfx;
        audio->applySettings();
        EXPECT_NEAR(rms(listen(0.2)) / reference, c.ratio, 0.01) << c.master << " x " << c.sfx;
    }
    EXPECT_EQ(audio->settings.sfxVolume, 0.0f) << "near-silence is stored as silence";

    audio->settings = {1.0f, 1.0f, 1.0f, 1.0f};
    say("playBGM", "500");
    say("playMFX", "700");
    const double heard = 0.05;
    struct Mute {
        const char* name;
        bool AudioSettings::*mute;
        bool sfx, bgm, mfx;
    };
    for (const Mute& c : {Mute{"sfx", &AudioSettings::sfxMute, false, true, true},
                          Mute{"bgm", &AudioSettings::bgmMute, true, false, true},
                          Mute{"mfx", &AudioSettings::mfxMute, true, true, false},
                          Mute{"master", &AudioSettings::masterMute, false, false, false}}) {
        SCOPED_TRACE(c.name);
        audio->settings.*c.mute = true;
        audio->applySettings();
        const std::vector<float> out = listen(0.1);
        EXPECT_EQ(levelAt(out, 300) > heard, c.sfx);
        EXPECT_EQ(levelAt(out, 500) > heard, c.bgm);
        EXPECT_EQ(levelAt(out, 700) > heard, c.mfx);
        audio->settings.*c.mute = false;
    }
}

TEST_F(AudioTest, PauseHoldsThePositionAndUnpauseOrFocusResumes) {
    struct Case {
        const char *play, *pause, *resume;
    };
    for (const Case& c :
         {Case{"playSFX", "pauseSFX", "unpauseSFX"}, Case{"playMFX", "toggleMFX", "toggleMFX"}}) {
        say(c.play, "Short");
        render(0.1);
        say(c.pause);
        EXPECT_EQ(rms(render(0.5)), 0.0) << c.pause;
        say(c.resume);
        // 0.1 s of the 0.2 s clip is left to play.
        const std::vector<float> rest = render(0.2);
        EXPECT_GT(rms({rest.begin(), rest.begin() + kRate / 20}), 0.05) << c.resume;
        EXPECT_EQ(rms({rest.begin() + kRate * 3 / 20, rest.end()}), 0.0) << c.resume;
    }
    // Focus loss pauses every group and focus return restores the settings.
    GameStateManager states;
    say("playSFX", "300");
    say("loopBGM", "Short");
    states.onWindowFocus(false);
    EXPECT_EQ(rms(render(0.1)), 0.0);
    states.onWindowFocus(true);
    EXPECT_EQ(audio->settings, (AudioSettings{1.0f, 1.0f, 1.0f, 1.0f}));
    EXPECT_GT(levelAt(render(0.1), 300), 0.05);
}

TEST_F(AudioTest, MuffleCutsHighTonesAndLetsLowOnesThrough) {
    say("playSFX", "200");
    say("playSFX", "12000");
    const std::vector<float> open = listen(0.2);
    say("muffleSFX");
    say("playSFX", "12000"); // started while muffled: filtered too; two 12 kHz sources play now
    const std::vector<float> muffled = listen(0.2);
    EXPECT_LT(decibels(levelAt(muffled, 12000), levelAt(open, 12000) * 2), -20.0);
    // A 12 dB per octave low-pass at 150 Hz takes about 5 dB off 200 Hz.
    EXPECT_GT(decibels(levelAt(muffled, 200), levelAt(open, 200)), -6.0);
    say("unmuffleSFX");
    EXPECT_GT(decibels(levelAt(listen(0.2), 12000), levelAt(open, 12000) * 2), -3.0);
}

TEST_F(AudioTest, MusicLoopOutlivesItsClipAndIsReplacedOnlyByAKnownSound) {
    say("loopBGM", "Short");
    render(1.0);
    EXPECT_GT(levelAt(render(0.1), 300), 0.05) << "the 0.2 s loop still plays after 1 s";
    say("loopBGM", "NoSuchSound");
    EXPECT_TRUE(logged.has(LOG_LOW, "Sound does not exist"));
    EXPECT_GT(levelAt(render(0.1), 300), 0.05);
    say("loopBGM", "800");
    const std::vector<float> second = render(0.1);
    EXPECT_GT(levelAt(second, 800), 0.05);
    EXPECT_LT(levelAt(second, 300), 0.005);
}

TEST_F(AudioTest, ThreeHundredOneShotsInARowAllPlay) {
    int played = 0;
    for (int i = 0; i < 300; ++i) {
        say("playSFX", "Blip");
        played += rms(render(0.03)) > 0.01;
        audio->update();
    }
    EXPECT_EQ(played, 300);
}

TEST_F(AudioTest, SoundsDecodeOnAWorkerAndAFailedOneIsALoggedEntryThatPlaysNothing) {
    audio.reset();
    std::filesystem::copy_file(std::filesystem::path(QEL_SOURCE_DIR) / "Assets/Audio/Music/TitleTheme.ogg",
                               sandbox / "Assets/Audio/Good.ogg");
    test::writeText(sandbox / "Assets/Audio/Broken.ogg", "not a sound");
    audio = std::make_unique<AudioManager>(AudioDevice::openLoopback(kRate));
    // Buffers are made by update(), so until then every sound is still loading.
    say("loopBGM", "Good");
    say("playSFX", "Good");
    EXPECT_EQ(logged.count("Sound \"Good\" is still loading"), 1u);
    for (int i = 0; i < 500 && sounds().loading(); ++i) {
        audio->update();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ASSERT_FALSE(sounds().loading());
    EXPECT_TRUE(logged.has(LOG_HIGH, "Broken.ogg\" could not be decoded"));
    say("stopSFX");
    EXPECT_GT(rms(render(0.3)), 0.01) << "the loop asked for while decoding starts when ready";
    say("stopBGMloop");
    say("playSFX", "Broken");
    EXPECT_EQ(rms(render(0.1)), 0.0);
}

TEST_F(AudioTest, ShutdownReleasesSourcesBeforeBuffersAndJoinsTheDecoder) {
    say("loopBGM", "Short");
    say("playSFX", "300");
    render(0.05);
    audio.reset();
    EXPECT_FALSE(logged.contains("releasing a sound buffer"));
    for (int i = 0; i < 20; ++i)
        test::writeText(sandbox / "Assets/Audio" / (std::to_string(i) + ".ogg"), "not a sound");
    // Gone while its worker is still decoding.
    AudioManager(AudioDevice::openLoopback(kRate));
}

TEST(AudioWithoutDevice, AcceptsEveryKindOfMessage) {
    test::World world;
    AudioManager audio(nullptr);
    audio.applySettings();
    audio.update();
    // One message for each way a handler reaches the sounds, with and without a key.
    for (const char* name : {"playSFX", "stopSFX", "pauseSFX", "toggleSFX", "muffleSFX", "loopBGM",
                             "stopBGMloop", "pauseBGMloop", "toggleBGMloop"}) {
        MessageArgs<uint64_t> withKey(hashName(name), hashName("Any"));
        Message bare(hashName(name));
        EXPECT_EQ(world.messages->sendImmediate(withKey, hashName("AudioManager")), 1u) << name;
        EXPECT_EQ(world.messages->sendImmediate(bare, hashName("AudioManager")), 1u) << name;
    }
}

} // namespace
