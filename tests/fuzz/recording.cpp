// Reads arbitrary bytes as an input recording. Whatever they hold, reading ends with a recording
// or a reason, and a recording that was read writes back to text that reads as the same.
#include "QelCore/InputRecord.h"

#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string error;
    const std::optional<Qel::InputRecord> record = Qel::parseInputRecord(fuzz::text(data, size), error);
    fuzz::require(record || !error.empty());
    if (!record) return 0;
    std::string text = Qel::formatRecordHeader(record->seed);
    for (const Qel::RecordedFrame& frame : record->frames)
        Qel::formatRecordedFrame(frame, text);
    text += Qel::recordEndLine();
    const std::optional<Qel::InputRecord> again = Qel::parseInputRecord(text, error);
    fuzz::require(again && again->seed == record->seed && again->frames == record->frames);
    return 0;
}
