#pragma once

#include "QelCore/InputRecord.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

namespace Qel {

/// Writes a run's input to a file as the game runs: the header at once, each frame when it ends,
/// the end line when destroyed, each flushed at once. A file that cannot be written is logged once and the
/// game goes on unrecorded.
class InputRecorder {
public:
    InputRecorder(const std::filesystem::path& path, uint32_t seed);
    /// Writes the end line and flushes.
    ~InputRecorder();
    InputRecorder(const InputRecorder&) = delete;
    InputRecorder& operator=(const InputRecorder&) = delete;

    void add(const RecordedEvent& event);
    /// Writes the frame whose poll just ended: its step (ticks of 100 ns) and the events added
    /// since the last call.
    void endFrame(uint32_t ticks);

    bool writing() const { return !failed; }

private:
    void write(std::string_view text);

    std::filesystem::path path;
    std::ofstream out;
    RecordedFrame frame;
    std::string line;
    bool failed = false;
};

} // namespace Qel
