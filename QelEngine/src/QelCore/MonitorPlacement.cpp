#include "QelCore/MonitorPlacement.h"

#include <algorithm>

namespace Qel {

int64_t overlapArea(const ScreenRect& a, const ScreenRect& b) {
    const int64_t left = std::max<int64_t>(a.x, b.x);
    const int64_t right = std::min<int64_t>(int64_t{a.x} + a.width, int64_t{b.x} + b.width);
    const int64_t top = std::max<int64_t>(a.y, b.y);
    const int64_t bottom = std::min<int64_t>(int64_t{a.y} + a.height, int64_t{b.y} + b.height);
    return std::max<int64_t>(0, right - left) * std::max<int64_t>(0, bottom - top);
}

std::optional<size_t> monitorMostlyHolding(const ScreenRect& window, std::span<const ScreenRect> monitors) {
    std::optional<size_t> best;
    int64_t bestArea = 0;
    for (size_t i = 0; i < monitors.size(); ++i) {
        const int64_t area = overlapArea(window, monitors[i]);
        if (area > bestArea) {
            bestArea = area;
            best = i;
        }
    }
    return best;
}

glm::ivec2 centredWindowPosition(const ScreenRect& monitor, int width, int height) {
    return {monitor.x + std::max(0, (monitor.width - width) / 2),
            monitor.y + std::max(0, (monitor.height - height) / 2)};
}

} // namespace Qel
