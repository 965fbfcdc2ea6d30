#pragma once

#include "QelCore/InputRecord.h"

#include <cstdint>
#include <filesystem>
#include <optional>

namespace Qel {

class GameStateManager;

/// Records this run's window input and time steps to `path` from the next frame on, with a fresh
/// seed for every random source. Start it before the first scene, whose systems take the seed.
void startInputRecording(const std::filesystem::path& path);

/// Replays the recording at `path` from the next frame on, instead of the window's input, with the
/// recording's seed and time steps. With `screenshotFrame` (counted from 0), that frame is saved as
/// "replay-frame-<N>.png" in the working folder and the game quits. False, logged, when the file
/// cannot be replayed: the game then runs as if no replay had been asked for.
bool startInputReplay(const std::filesystem::path& path, std::optional<uint64_t> screenshotFrame = {});

/// Completes and flushes the recording, or abandons the replay; the run is no longer recorded.
void stopInputRecording();

/// Whether this run was started recording or replaying: its randomness and timing repeat.
bool isRunRecorded();
bool isReplayingInput();

/// Seed for a random source when its system starts: the recorded run's, or a fresh one.
uint32_t randomSeed();

/// The window's input on its way into the input layer: written down while recording; false, so
/// dropped, while a replay feeds its own.
bool admitWindowInput(const RecordedEvent& event);

/// Frame hook right after the window's events were polled: a recording writes the frame down, a
/// replay feeds the next recorded frame (its time step only to a normal frame).
void onInputPolled(GameStateManager& manager, bool normalFrame);

/// Frame hook once the frame is drawn, before it is shown: the replay's screenshot.
void onFrameDrawn(GameStateManager& manager);

} // namespace Qel
