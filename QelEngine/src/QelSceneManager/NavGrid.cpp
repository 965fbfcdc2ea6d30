#include "QelSceneManager/NavGrid.h"

#include <glm/geometric.hpp>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

namespace Qel {

namespace {

constexpr int kStepCost = 10;

// The order decides which of several equally short paths is taken.
constexpr std::array<glm::ivec2, 4> kNeighbourOrder{{{-1, 0}, {1, 0}, {0, 1}, {0, -1}}};

// Well inside int range, far outside any grid kMaxCells allows.
constexpr float kIndexLimit = 1.0e9f;

int truncatedIndex(float offset) {
    if (std::isnan(offset)) return static_cast<int>(-kIndexLimit);
    return static_cast<int>(std::clamp(offset, -kIndexLimit, kIndexLimit));
}

int manhattan(glm::ivec2 a, glm::ivec2 b) {
    return std::abs(a.x - b.x) + std::abs(a.y - b.y);
}

// Follows the parents back from the goal to the cell entered right after the start.
const GridNode& firstStep(const NavGrid& grid, glm::ivec2 start, glm::ivec2 goal) {
    const GridNode* node = &grid.at(goal);
    while (glm::ivec2(node->parentX, node->parentY) != start)
        node = &grid.at({node->parentX, node->parentY});
    return *node;
}

} // namespace

void NavGrid::resize(int newColumns, int newRows) {
    columns = newColumns;
    rows = newRows;
    cells.assign(static_cast<size_t>(columns) * static_cast<size_t>(rows), GridNode{});
    for (size_t i = 0; i < cells.size(); ++i) {
        cells[i].x = static_cast<int>(i % static_cast<size_t>(columns));
        cells[i].y = static_cast<int>(i / static_cast<size_t>(columns));
    }
}

bool NavGrid::contains(glm::ivec2 cell) const {
    return cell.x >= 0 && cell.y >= 0 && cell.x < columns && cell.y < rows;
}

GridNode& NavGrid::at(glm::ivec2 cell) {
    return cells[static_cast<size_t>(cell.y) * static_cast<size_t>(columns) + static_cast<size_t>(cell.x)];
}

const GridNode& NavGrid::at(glm::ivec2 cell) const {
    return const_cast<NavGrid*>(this)->at(cell);
}

glm::ivec2 NavGrid::cellOf(glm::vec2 world) const {
    const glm::vec2 offset = world - origin;
    return {truncatedIndex(offset.x), truncatedIndex(offset.y)};
}

glm::vec2 NavGrid::centreOf(glm::ivec2 cell) const {
    return origin + glm::vec2(cell) + 0.5f;
}

std::optional<glm::ivec2> gridDimensions(glm::vec4 bounds) {
    const double width = std::ceil(static_cast<double>(bounds.z - bounds.x));
    const double height = std::ceil(static_cast<double>(bounds.w - bounds.y));
    // Comparisons written so that NaN fails them.
    if (!(width >= 1.0 && height >= 1.0 && width * height <= static_cast<double>(NavGrid::kMaxCells))) {
        return std::nullopt;
    }
    return glm::ivec2(static_cast<int>(width), static_cast<int>(height));
}

PathStep findPath(NavGrid& grid, glm::ivec2 start, glm::ivec2 goal) {
    if (!grid.contains(start) || !grid.contains(goal) || grid.at(start).blocked || grid.at(goal).blocked) {
        return {};
    }
    const int64_t dx = goal.x - start.x;
    const int64_t dy = goal.y - start.y;
    if (dx * dx + dy * dy <= 2) return {PathResult::Adjacent, {}};

    for (GridNode& node : grid.cells) {
        node.f = node.g = node.h = GridNode::kUnknownCost;
        node.parentX = node.parentY = -1;
        node.closed = node.blocked;
    }
    GridNode& first = grid.at(start);
    first.g = 0;
    first.parentX = start.x;
    first.parentY = start.y;

    // First in, first out: the list is never ordered by cost. With equal step costs the open
    // cells are taken in order of rising g, so the first cost a cell receives is already its
    // lowest: a reached cell is never improved and enters the list once.
    std::vector<glm::ivec2> open;
    open.reserve(grid.cells.size());
    open.push_back(start);
    for (size_t head = 0; head < open.size(); ++head) {
        const glm::ivec2 here = open[head];
        GridNode& current = grid.at(here);
        current.closed = true;
        for (const glm::ivec2 offset : kNeighbourOrder) {
            const glm::ivec2 next = here + offset;
            if (!grid.contains(next)) continue;
            GridNode& neighbour = grid.at(next);
            if (neighbour.closed) continue;
            if (next == goal) {
                neighbour.parentX = here.x;
                neighbour.parentY = here.y;
                return {PathResult::Step, firstStep(grid, start, goal)};
            }
            // A parent marks a reached cell; f cannot, as on large grids it passes kUnknownCost.
            if (neighbour.parentX != -1) continue;
            neighbour.g = current.g + kStepCost;
            neighbour.h = kStepCost * manhattan(next, goal);
            neighbour.f = neighbour.g + neighbour.h;
            neighbour.parentX = here.x;
            neighbour.parentY = here.y;
            open.push_back(next);
        }
    }
    return {};
}

std::optional<glm::ivec2> nearestWalkableCell(const NavGrid& grid, glm::vec2 world) {
    const glm::ivec2 centre = grid.cellOf(world);
    std::optional<glm::ivec2> best;
    float bestDistance = 0.0f;
    for (int dx = -1; dx <= 1; ++dx) {
        for (int dy = -1; dy <= 1; ++dy) {
            const glm::ivec2 cell = centre + glm::ivec2(dx, dy);
            if (!grid.contains(cell) || grid.at(cell).blocked) continue;
            const glm::vec2 apart = grid.centreOf(cell) - world;
            const float distance = glm::dot(apart, apart);
            if (!best || distance < bestDistance) {
                best = cell;
                bestDistance = distance;
            }
        }
    }
    return best;
}

GridNode nearestWalkable(const NavGrid& grid, glm::vec2 world) {
    const std::optional<glm::ivec2> cell = nearestWalkableCell(grid, world);
    return cell ? grid.at(*cell) : GridNode{};
}

} // namespace Qel
