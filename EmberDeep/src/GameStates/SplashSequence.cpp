#include "GameStates/SplashSequence.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// Half a second of real time, in 100 ns ticks.
constexpr uint64_t kTicksPerDot = 5'000'000;
constexpr uint64_t kDotCycle = 6;

} // namespace

double splashSeconds(uint64_t ticks) {
    return static_cast<double>(ticks) * 0.0000000625;
}

SplashLogo splashLogoAt(double t) {
    constexpr double pi = std::numbers::pi;
    if (t <= pi) return SplashLogo::Org;
    if (t <= 2.0 * pi) return SplashLogo::Game;
    if (t <= 3.0 * pi) return SplashLogo::Audio;
    return SplashLogo::Hidden;
}

float splashAlphaAt(double t) {
    return static_cast<float>(std::min(2.0 * std::abs(std::sin(t)), 1.0));
}

uint64_t loadingDotCount(uint64_t ticks) {
    return (ticks / kTicksPerDot) % kDotCycle;
}

const char* splashLogoTexture(SplashLogo logo) {
    switch (logo) {
    case SplashLogo::Org:
        return "OrgLogo";
    case SplashLogo::Game:
        return "EDLogoDark";
    case SplashLogo::Audio:
        return "OpenALSoftLogo";
    case SplashLogo::Hidden:
        break;
    }
    return nullptr;
}

void SplashSequence::start(uint64_t now) {
    splashStart = now;
    splashElapsed = 0;
    splashStep = &SplashSequence::loadingTextStep;
}

SplashSequence::Frame SplashSequence::advance(uint64_t now, bool anyKeyTriggered,
                                              const std::function<bool()>& loadingDone) {
    // A clock read earlier than the start (another clock source after a restart) adds nothing.
    splashElapsed += now > splashStart ? now - splashStart : 0;
    splashStart = now;
    const double t = splashSeconds(splashElapsed);

    Frame frame;
    (this->*splashStep)(frame, anyKeyTriggered, loadingDone);
    frame.logoAlpha = splashAlphaAt(t);
    frame.logo = splashLogoAt(t);
    if (frame.logo == SplashLogo::Hidden) {
        if (loadingDone()) {
            frame.handOver = true;
            frame.finished = true;
        } else {
            frame.logoAlpha = 0.0f;
        }
    }
    return frame;
}

void SplashSequence::loadingTextStep(Frame& frame, bool, const std::function<bool()>& loadingDone) {
    if (loadingDone()) {
        frame.loadingLine = kLoadingComplete;
        splashStep = &SplashSequence::pressAnyKeyStep;
    } else {
        frame.loadingLine = "Loading" + std::string(loadingDotCount(splashElapsed), '.');
    }
}

void SplashSequence::pressAnyKeyStep(Frame& frame, bool anyKeyTriggered, const std::function<bool()>&) {
    if (anyKeyTriggered) frame.handOver = true;
}
