#pragma once

#include "QelCore/InputRecord.h"

#include <cstddef>
#include <filesystem>
#include <memory>

namespace Qel {

/// Hands out a recorded run's frames one by one.
class InputPlayer {
public:
    explicit InputPlayer(InputRecord record) : record(std::move(record)) {}

    /// The recording at `path`, or nothing when it cannot be replayed (logged with the reason).
    static std::unique_ptr<InputPlayer> open(const std::filesystem::path& path);

    /// The next frame; nullptr once all have been played.
    const RecordedFrame* next();
    /// How many frames next() has handed out.
    size_t played() const { return position; }
    uint32_t seed() const { return record.seed; }

private:
    InputRecord record;
    size_t position = 0;
};

} // namespace Qel
