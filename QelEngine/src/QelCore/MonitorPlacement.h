#pragma once

#include <glm/vec2.hpp>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace Qel {

/// An axis-aligned rectangle in screen coordinates (the desktop space monitors and windows share).
struct ScreenRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

/// Area shared by two rectangles; 0 when they do not overlap. 64-bit so large desktops cannot overflow.
int64_t overlapArea(const ScreenRect& a, const ScreenRect& b);

/// Index of the monitor sharing the largest area with the window. On a tie the monitor listed first
/// wins; when the window overlaps no monitor there is no answer.
std::optional<size_t> monitorMostlyHolding(const ScreenRect& window, std::span<const ScreenRect> monitors);

/// Top-left corner that centres a width x height window on the monitor. A window larger than the
/// monitor goes to the monitor's corner: the offsets never go negative.
glm::ivec2 centredWindowPosition(const ScreenRect& monitor, int width, int height);

} // namespace Qel
