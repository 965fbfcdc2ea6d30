#include "QelCore/InputPlayer.h"

#include "QelCore/LogManager.h"
#include "data/ContentFiles.h"

#include <string>

namespace Qel {

std::unique_ptr<InputPlayer> InputPlayer::open(const std::filesystem::path& path) {
    std::string text;
    std::string error = readContent(path, text) ? "" : "cannot be read";
    std::optional<InputRecord> record;
    if (error.empty()) record = parseInputRecord(text, error);
    if (!record) {
        logf(LOG_CRITICAL, "Input recording %s not replayed: %s; the game starts normally",
             path.string().c_str(), error.c_str());
        return nullptr;
    }
    logf(LOG_HIGH, "Replaying %zu frames of input from %s (seed %u)", record->frames.size(),
         path.string().c_str(), record->seed);
    return std::make_unique<InputPlayer>(std::move(*record));
}

const RecordedFrame* InputPlayer::next() {
    if (position == record.frames.size()) return nullptr;
    return &record.frames[position++];
}

} // namespace Qel
