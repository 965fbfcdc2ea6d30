#include "GameStates/SplashSequence.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

constexpr double kPi = std::numbers::pi;
// Splash time runs at 0.625 of real time: 16,000,000 ticks per splash second.
constexpr double kTicksPerSplashSecond = 16'000'000.0;

uint64_t ticksBefore(double t) {
    return static_cast<uint64_t>(std::floor(t * kTicksPerSplashSecond));
}
uint64_t ticksAfter(double t) {
    return ticksBefore(t) + 1;
}

const auto kLoading = [] { return false; };

} // namespace

TEST(SplashTiming, LogosChangeAtEachSpanOfPiAndTheLastOneWaits) {
    const SplashLogo order[] = {SplashLogo::Org, SplashLogo::Game, SplashLogo::Audio, SplashLogo::Hidden};
    for (int span = 1; span <= 3; ++span) {
        EXPECT_EQ(splashLogoAt(splashSeconds(ticksBefore(span * kPi))), order[span - 1]) << span;
        EXPECT_EQ(splashLogoAt(splashSeconds(ticksAfter(span * kPi))), order[span]) << span;
    }
    EXPECT_EQ(splashLogoTexture(SplashLogo::Hidden), nullptr);
}

TEST(SplashSequence, LoadingLineCountsDotsFromTheSplashClock) {
    SplashSequence splash;
    splash.start(1'000);
    // Elapsed time is the sum of the frame steps, not the distance from an absolute zero.
    EXPECT_EQ(splash.advance(1'000, false, kLoading).loadingLine, "Loading");
    EXPECT_EQ(splash.advance(1'000 + 7'000'000, false, kLoading).loadingLine, "Loading.");
    // Six dots wrap to none after three seconds.
    EXPECT_EQ(splash.advance(1'000 + 30'000'000, false, kLoading).loadingLine, "Loading");
    EXPECT_EQ(splash.elapsedTicks(), 30'000'000u);

    // A restart begins a fresh clock.
    splash.start(500);
    EXPECT_EQ(splash.advance(500 + 5'000'000, false, kLoading).loadingLine, "Loading.");
}

TEST(SplashSequence, KeyPressLeavesOnlyOnceLoadingIsComplete) {
    SplashSequence splash;
    splash.start(0);
    uint64_t now = 0;
    const auto step = [&](bool key, bool loaded) {
        return splash.advance(now += 1'000'000, key, [=] { return loaded; });
    };
    EXPECT_FALSE(step(true, false).handOver) << "a key while loading";
    // The frame that sees loading complete shows the prompt but does not read its own key.
    const SplashSequence::Frame completing = step(true, true);
    EXPECT_EQ(completing.loadingLine, SplashSequence::kLoadingComplete);
    EXPECT_FALSE(completing.handOver);
    const SplashSequence::Frame waiting = step(false, true);
    EXPECT_FALSE(waiting.loadingLine.has_value() || waiting.handOver) << "waiting rewrites or leaves";
    // Within the first logo the key goes straight on, and the frame runs to its end.
    const SplashSequence::Frame leaving = step(true, true);
    EXPECT_TRUE(leaving.handOver && !leaving.finished);
}

TEST(SplashSequence, AfterTheLastLogoItWaitsHiddenForLoadingThenLeavesByItself) {
    SplashSequence splash;
    splash.start(0);
    int polls = 0;
    bool loaded = false;
    const auto poll = [&] {
        ++polls;
        return loaded;
    };

    SplashSequence::Frame frame = splash.advance(ticksBefore(2.5 * kPi), false, poll);
    // Past 3 pi and still loading: no logo, the dots keep counting, nothing hands over.
    const uint64_t waiting = ticksAfter(3 * kPi) + 20'000'000;
    frame = splash.advance(waiting, false, poll);
    EXPECT_EQ(frame.logo, SplashLogo::Hidden);
    EXPECT_EQ(frame.logoAlpha, 0.0f);
    EXPECT_FALSE(frame.handOver);
    EXPECT_FALSE(frame.finished);
    EXPECT_EQ(frame.loadingLine, "Loading" + std::string(loadingDotCount(waiting), '.'));
    EXPECT_EQ(polls, 3);

    // Loading completes: the game moves on without a key and the update stops there.
    loaded = true;
    frame = splash.advance(waiting + 100'000, false, poll);
    EXPECT_EQ(frame.loadingLine, SplashSequence::kLoadingComplete);
    EXPECT_TRUE(frame.handOver);
    EXPECT_TRUE(frame.finished);
}
