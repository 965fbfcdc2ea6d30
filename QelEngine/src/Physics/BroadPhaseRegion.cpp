#include "Physics/BroadPhaseRegion.h"

#include "QelSceneManager/NavGrid.h"

#include <glm/common.hpp>

namespace Qel {

std::optional<QTBox> gridRegion(const NavGrid& grid) {
    if (grid.columns <= 0 || grid.rows <= 0) return std::nullopt;
    const glm::vec2 size(grid.columns, grid.rows);
    const glm::vec2 centre = grid.origin + size * 0.5f;
    return QTBox{centre - size * 0.5f, centre + size * 0.5f};
}

QTBox unite(const QTBox& a, const QTBox& b) {
    return {glm::min(a.min, b.min), glm::max(a.max, b.max)};
}

} // namespace Qel
