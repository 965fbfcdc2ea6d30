#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

/// Which logo the splash shows.
enum class SplashLogo { Org, Game, Audio, Hidden };

/// Splash time in seconds for `ticks` of 100 ns: the splash runs at 0.625 of real time, so one
/// logo (a span of pi) lasts about 5.03 real seconds.
double splashSeconds(uint64_t ticks);

/// The logo for splash time t (seconds): the makers' logo up to pi, the game's up to 2 pi, the
/// audio credit up to 3 pi, then none while the splash waits for the loading.
SplashLogo splashLogoAt(double t);

/// Logo opacity at splash time t: min(2 |sin t|, 1), a fade in and out over each span of pi.
float splashAlphaAt(double t);

/// Dots after "Loading" for `ticks` of 100 ns: one more every half second of real time, 0 to 5,
/// back to 0 every three seconds.
uint64_t loadingDotCount(uint64_t ticks);

/// Asset name of the texture a logo shows; null for Hidden.
const char* splashLogoTexture(SplashLogo logo);

/// The splash's clock and steps, free of managers and windows: the caller feeds it the time, this
/// frame's key state and a way to poll the loading, and applies the frame it returns.
class SplashSequence {
public:
    static constexpr const char* kLoadingComplete = "Loading Complete!\nPress any key to continue.";

    /// What one update decided.
    struct Frame {
        /// The loading line's new text, when this frame's step wrote one.
        std::optional<std::string> loadingLine;
        SplashLogo logo = SplashLogo::Org;
        float logoAlpha = 0.0f;
        /// Move on to the scene state.
        bool handOver = false;
        /// The splash is over: the rest of this frame's update is skipped.
        bool finished = false;
    };

    /// Starts the clock at `now` (ticks) with the loading-text step.
    void start(uint64_t now);

    /// One splash update at `now` (ticks). `loadingDone` polls the background loading (it may be
    /// called more than once, and uploads as it goes); `anyKeyTriggered` is this frame's input.
    Frame advance(uint64_t now, bool anyKeyTriggered, const std::function<bool()>& loadingDone);

    uint64_t elapsedTicks() const { return splashElapsed; }
    bool waitingForKey() const { return splashStep == &SplashSequence::pressAnyKeyStep; }

private:
    using Step = void (SplashSequence::*)(Frame&, bool, const std::function<bool()>&);

    void loadingTextStep(Frame& frame, bool anyKeyTriggered, const std::function<bool()>& loadingDone);
    void pressAnyKeyStep(Frame& frame, bool anyKeyTriggered, const std::function<bool()>& loadingDone);

    uint64_t splashStart = 0;
    uint64_t splashElapsed = 0;
    Step splashStep = &SplashSequence::loadingTextStep;
};
