#pragma once

#include "QelSceneManager/GridNode.h"

#include <glm/vec2.hpp>
#include <glm/vec4.hpp>

#include <cstddef>
#include <optional>
#include <vector>

namespace Qel {

/// Walkable and blocked cells of one level. One cell is one world unit; the grid's world box runs
/// from `origin` to `origin` + (columns, rows). Cells are stored row by row: x runs fastest.
struct NavGrid {
    /// Largest grid a scene may declare (a 1000 x 1000 level); larger ones are refused.
    static constexpr size_t kMaxCells = 1'000'000;

    /// Replaces the cells with columns x rows walkable cells carrying their indices.
    void resize(int newColumns, int newRows);

    bool contains(glm::ivec2 cell) const;
    /// The cell at `cell`, which must lie in the grid.
    GridNode& at(glm::ivec2 cell);
    const GridNode& at(glm::ivec2 cell) const;

    /// Cell holding a world point: point - origin, each coordinate truncated toward zero. May lie
    /// outside the grid; NaN and coordinates beyond a billion cells give indices far outside it.
    glm::ivec2 cellOf(glm::vec2 world) const;
    /// World position of a cell's centre.
    glm::vec2 centreOf(glm::ivec2 cell) const;

    /// World position of cell (0, 0)'s corner.
    glm::vec2 origin{0.0f};
    /// Minimum x, minimum y, maximum x, maximum y, in world units, as the scene gave them.
    glm::vec4 bounds{0.0f};
    int columns = 0;
    int rows = 0;
    std::vector<GridNode> cells;
};

/// Columns and rows for the given bounds: ceil(max - min) on each axis. Empty when either side is
/// below one cell or not finite, or the grid would exceed NavGrid::kMaxCells.
std::optional<glm::ivec2> gridDimensions(glm::vec4 bounds);

/// Outcome of a path search.
enum class PathResult : int {
    /// Start and goal touch (diagonals included): no step needed.
    Adjacent = 0,
    /// A path exists; the step is the first cell after the start.
    Step = 1,
    /// A cell lies outside the grid or is blocked, or the goal cannot be reached.
    NoPath = 2,
};

struct PathStep {
    PathResult result = PathResult::NoPath;
    /// The first cell to walk to when result is Step, otherwise an empty node.
    GridNode next;
};

/// Breadth-first search over four-connected walkable cells with integer costs (10 per step,
/// h = 10 x Manhattan distance). Open cells are taken oldest first and neighbours are examined in
/// the order x - 1, x + 1, y + 1, y - 1, which decides the first step among equally short paths.
/// Overwrites every cell's search bookkeeping.
PathStep findPath(NavGrid& grid, glm::ivec2 start, glm::ivec2 goal);

/// Of the cell holding `world` and its eight neighbours, the walkable one whose centre is nearest
/// to `world`; ties keep the first found, scanning x from -1 to +1 and, within it, y from -1 to +1.
/// Empty when none is walkable.
std::optional<glm::ivec2> nearestWalkableCell(const NavGrid& grid, glm::vec2 world);
/// The node of nearestWalkableCell, or an empty node, which cannot be told from a fresh cell (0, 0):
/// callers that act on the answer use nearestWalkableCell.
GridNode nearestWalkable(const NavGrid& grid, glm::vec2 world);

} // namespace Qel
