#include "QelCore/InputRecord.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <type_traits>

namespace Qel {

namespace {

constexpr std::string_view kMagic = "qel-input-record";

template <class T> void appendNumber(std::string& out, T value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

/// Splits a line into its space-separated words; at most `N` of them, or nothing.
template <size_t N> std::optional<std::array<std::string_view, N>> words(std::string_view line) {
    std::array<std::string_view, N> out;
    size_t count = 0;
    while (!line.empty()) {
        const size_t end = line.find(' ');
        if (end == 0 || count == N) return std::nullopt;
        out[count++] = line.substr(0, end);
        line = end == std::string_view::npos ? std::string_view() : line.substr(end + 1);
        if (end != std::string_view::npos && line.empty()) return std::nullopt;
    }
    if (count != N) return std::nullopt;
    return out;
}

template <class T> std::optional<T> number(std::string_view text) {
    T value{};
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size()) return std::nullopt;
    if constexpr (std::is_floating_point_v<T>) {
        if (!std::isfinite(value)) return std::nullopt;
    }
    return value;
}

/// Reads one event line of a frame; nothing when it is malformed.
std::optional<RecordedEvent> parseEvent(std::string_view line) {
    RecordedEvent event;
    if (line.starts_with("b ")) {
        const auto parts = words<3>(line);
        const auto code = parts ? number<int32_t>((*parts)[1]) : std::nullopt;
        const auto action = parts ? number<int32_t>((*parts)[2]) : std::nullopt;
        if (!code || !action || *action < 0 || *action > 2) return std::nullopt;
        event.kind = RecordedEvent::Kind::Button;
        event.code = *code;
        event.action = *action;
        return event;
    }
    if (line.starts_with("c ")) {
        const auto parts = words<3>(line);
        const auto x = parts ? number<double>((*parts)[1]) : std::nullopt;
        const auto y = parts ? number<double>((*parts)[2]) : std::nullopt;
        if (!x || !y) return std::nullopt;
        event.kind = RecordedEvent::Kind::Cursor;
        event.cursor = {*x, *y};
        return event;
    }
    if (line == "w 0" || line == "w 1") {
        event.kind = RecordedEvent::Kind::Focus;
        event.action = line.back() - '0';
        return event;
    }
    return std::nullopt;
}

} // namespace

std::string formatRecordHeader(uint32_t seed) {
    std::string out(kMagic);
    out += ' ';
    appendNumber(out, kInputRecordVersion);
    out += "\nseed ";
    appendNumber(out, seed);
    out += '\n';
    return out;
}

void formatRecordedFrame(const RecordedFrame& frame, std::string& out) {
    out += "f ";
    appendNumber(out, frame.ticks);
    out += '\n';
    for (const RecordedEvent& event : frame.events) {
        switch (event.kind) {
        case RecordedEvent::Kind::Button:
            out += "b ";
            appendNumber(out, event.code);
            out += ' ';
            appendNumber(out, event.action);
            break;
        case RecordedEvent::Kind::Cursor:
            // Shortest round-trip form: the replay sees the very same doubles.
            out += "c ";
            appendNumber(out, event.cursor.x);
            out += ' ';
            appendNumber(out, event.cursor.y);
            break;
        case RecordedEvent::Kind::Focus:
            out += event.action ? "w 1" : "w 0";
            break;
        }
        out += '\n';
    }
}

std::string_view recordEndLine() {
    return "end\n";
}

std::optional<InputRecord> parseInputRecord(std::string_view text, std::string& error) {
    InputRecord record;
    size_t lineNumber = 0;
    bool ended = false;
    const auto fail = [&](const std::string& what) {
        error = lineNumber ? "line " + std::to_string(lineNumber) + ": " + what : what;
        return std::nullopt;
    };
    while (!text.empty()) {
        ++lineNumber;
        const size_t end = text.find('\n');
        if (end == std::string_view::npos) return fail("cut short (no line end)");
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(end + 1);
        if (ended) return fail("text after the end line");

        if (lineNumber == 1) {
            const auto parts = words<2>(line);
            if (!parts || (*parts)[0] != kMagic) return fail("not an input recording");
            const auto version = number<uint32_t>((*parts)[1]);
            if (version != kInputRecordVersion)
                return fail("version " + std::string((*parts)[1]) + ", this build reads version " +
                            std::to_string(kInputRecordVersion));
        } else if (lineNumber == 2) {
            const auto parts = words<2>(line);
            const auto seed = parts && (*parts)[0] == "seed" ? number<uint32_t>((*parts)[1]) : std::nullopt;
            if (!seed) return fail("expected the seed");
            record.seed = *seed;
        } else if (line == "end") {
            ended = true;
        } else if (line.starts_with("f ")) {
            const auto parts = words<2>(line);
            const auto ticks = parts ? number<uint32_t>((*parts)[1]) : std::nullopt;
            if (!ticks) return fail("bad frame line");
            record.frames.push_back(RecordedFrame{*ticks, {}});
        } else {
            const std::optional<RecordedEvent> event = parseEvent(line);
            if (!event) return fail("unreadable line");
            if (record.frames.empty()) return fail("event before the first frame");
            record.frames.back().events.push_back(*event);
        }
    }
    const bool headerRead = lineNumber >= 2;
    lineNumber = 0; // what follows is about the whole file
    if (!headerRead) return fail("no header and seed");
    if (!ended) return fail("cut short (no end line)");
    return record;
}

} // namespace Qel
