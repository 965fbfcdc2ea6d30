#include "QelCore/InputRecorder.h"

#include "QelCore/LogManager.h"

#include <cerrno>
#include <cstring>

namespace Qel {

InputRecorder::InputRecorder(const std::filesystem::path& file, uint32_t seed)
    : path(file), out(file, std::ios::binary | std::ios::trunc) {
    write(formatRecordHeader(seed));
    if (!failed) logf(LOG_HIGH, "Recording input to %s (seed %u)", path.string().c_str(), seed);
}

InputRecorder::~InputRecorder() {
    write(recordEndLine());
}

void InputRecorder::add(const RecordedEvent& event) {
    // Only the cursor's last position in a poll matters to the frame.
    if (event.kind == RecordedEvent::Kind::Cursor && !frame.events.empty() &&
        frame.events.back().kind == RecordedEvent::Kind::Cursor) {
        frame.events.back() = event;
        return;
    }
    frame.events.push_back(event);
}

void InputRecorder::endFrame(uint32_t ticks) {
    frame.ticks = ticks;
    line.clear();
    formatRecordedFrame(frame, line);
    frame.events.clear();
    write(line);
}

void InputRecorder::write(std::string_view text) {
    if (failed) return;
    // A few bytes a frame, flushed at once: a crash loses none of the play before it.
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.flush();
    if (out) return;
    failed = true;
    logf(LOG_CRITICAL, "Input recording %s stopped, the file cannot be written: %s; the game goes on",
         path.string().c_str(), std::strerror(errno));
}

} // namespace Qel
