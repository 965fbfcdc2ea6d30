#pragma once

#include "Physics/Quadtree.h"

#include <optional>

namespace Qel {

struct NavGrid;

/// The navigation grid's world box (one unit per cell), or nothing for a scene without a grid.
std::optional<QTBox> gridRegion(const NavGrid& grid);

/// The smallest box holding both.
QTBox unite(const QTBox& a, const QTBox& b);

} // namespace Qel
