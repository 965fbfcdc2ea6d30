#pragma once

#include <glm/vec2.hpp>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace Qel {

/// One input event as the window delivered it.
struct RecordedEvent {
    enum class Kind : uint8_t { Button, Cursor, Focus };

    Kind kind = Kind::Button;
    int32_t code = 0;            ///< Button: GLFW key code or mouse-button number.
    int32_t action = 0;          ///< Button: GLFW press, release or repeat. Focus: 1 gained, 0 lost.
    glm::dvec2 cursor{0.0, 0.0}; ///< Cursor: window screen coordinates.

    bool operator==(const RecordedEvent&) const = default;
};

/// One frame: the time step it advanced the game by and the events of its poll, in order.
struct RecordedFrame {
    uint32_t ticks = 0; ///< Clock ticks of 100 ns.
    std::vector<RecordedEvent> events;

    bool operator==(const RecordedFrame&) const = default;
};

/// A whole recorded run: the seed of its randomness and its frames.
struct InputRecord {
    uint32_t seed = 0;
    std::vector<RecordedFrame> frames;
};

/// The file format, one item per line, numbers in decimal:
///   qel-input-record 1      header and format version
///   seed S                  the run's random seed
///   f TICKS                 a frame begins, with its time step
///   b CODE ACTION           a key or mouse-button event of that frame
///   c X Y                   the cursor moved
///   w FOCUSED               the window gained (1) or lost (0) focus
///   end                     written at a clean exit; a file without it was cut short
constexpr uint32_t kInputRecordVersion = 1;

std::string formatRecordHeader(uint32_t seed);
/// Appends the frame's lines to `out`.
void formatRecordedFrame(const RecordedFrame& frame, std::string& out);
/// The line that closes a complete file.
std::string_view recordEndLine();

/// Reads a whole file's text. On failure returns nothing and sets `error` to what is wrong and,
/// for a bad line, its number.
std::optional<InputRecord> parseInputRecord(std::string_view text, std::string& error);

} // namespace Qel
