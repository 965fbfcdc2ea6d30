#include "QelSceneManager/NavGrid.h"

#include <glm/vec3.hpp>
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

using namespace Qel;

namespace {

// A grid drawn row by row, the first string being row 0: '#' blocked, 'S' start, 'G' goal,
// '*' the first step the search must choose, anything else walkable.
struct Drawing {
    NavGrid grid;
    glm::ivec2 start{-1};
    glm::ivec2 goal{-1};
    glm::ivec2 step{-1};
};

Drawing draw(const std::vector<std::string>& lines) {
    Drawing drawing;
    drawing.grid.resize(static_cast<int>(lines[0].size()), static_cast<int>(lines.size()));
    for (int y = 0; y < drawing.grid.rows; ++y) {
        for (int x = 0; x < drawing.grid.columns; ++x) {
            const char mark = lines[y][x];
            drawing.grid.at({x, y}).blocked = mark == '#';
            if (mark == 'S') drawing.start = {x, y};
            if (mark == 'G') drawing.goal = {x, y};
            if (mark == '*') drawing.step = {x, y};
        }
    }
    return drawing;
}

glm::ivec2 indices(const GridNode& node) {
    return {node.x, node.y};
}

void expectStep(const std::vector<std::string>& lines) {
    Drawing d = draw(lines);
    const PathStep found = findPath(d.grid, d.start, d.goal);
    ASSERT_EQ(found.result, PathResult::Step);
    EXPECT_EQ(indices(found.next), d.step);
}

} // namespace

TEST(NavGridTest, PathSearchResults) {
    Drawing d = draw({"S.#..", "..#.G", "..#.."});
    EXPECT_EQ(findPath(d.grid, d.start, {1, 1}).result, PathResult::Adjacent);
    EXPECT_EQ(findPath(d.grid, d.start, d.start).result, PathResult::Adjacent);
    // The wall closes the corridor; blocked or outside cells are no path, even when adjacent.
    const PathStep walled = findPath(d.grid, d.start, d.goal);
    EXPECT_EQ(walled.result, PathResult::NoPath);
    EXPECT_EQ(walled.next.parentX, -1);
    for (const glm::ivec2 other : {glm::ivec2(2, 1), glm::ivec2(-1, 0), glm::ivec2(5, 0)}) {
        EXPECT_EQ(findPath(d.grid, d.start, other).result, PathResult::NoPath);
        EXPECT_EQ(findPath(d.grid, other, d.start).result, PathResult::NoPath);
    }

    // Opening the wall: the same grid searched again finds the way through the gap.
    d.grid.at({2, 2}).blocked = false;
    const PathStep open = findPath(d.grid, d.start, d.goal);
    ASSERT_EQ(open.result, PathResult::Step);
    EXPECT_EQ(indices(open.next), glm::ivec2(1, 0));
    EXPECT_EQ(glm::ivec3(open.next.g, open.next.h, open.next.f), glm::ivec3(10, 40, 50));
}

TEST(NavGridTest, NeighbourOrderChoosesAmongEquallyShortPaths) {
    // x - 1 comes before x + 1: the detour round the wall goes left.
    expectStep({"...", "*S.", ".#.", ".G."});
    // y + 1 comes before y - 1: the detour goes down the rows.
    expectStep({"....", ".S#G", ".*.."});
    // On open floor the path keeps to the first direction found: along x before along y.
    expectStep({"S*..", "....", "...G"});
}

TEST(NavGridTest, LongPathsPastTheUnknownCostAreStillFound) {
    // A serpentine of about 10,300 steps: the costs along it exceed GridNode::kUnknownCost.
    std::vector<std::string> lines(101, std::string(201, '.'));
    for (size_t y = 1; y < lines.size(); y += 2) {
        lines[y] = std::string(201, '#');
        lines[y][(y / 2) % 2 == 0 ? 200 : 0] = '.';
    }
    lines[0][0] = 'S';
    lines[0][1] = '*';
    lines[100][200] = 'G';
    expectStep(lines);
}

TEST(NavGridTest, NearestWalkableCellAndCellOfAPoint) {
    Drawing d = draw({"...", "...", "..."});
    d.grid.origin = {10.0f, -5.0f};
    // Truncation toward zero: half a cell before the origin still maps to cell 0.
    EXPECT_EQ(d.grid.cellOf({9.5f, -5.5f}), glm::ivec2(0, 0));
    EXPECT_EQ(d.grid.cellOf({12.9f, -2.1f}), glm::ivec2(2, 2));
    EXPECT_FALSE(d.grid.contains(d.grid.cellOf({NAN, 0.0f})));
    EXPECT_FALSE(d.grid.contains(d.grid.cellOf({INFINITY, 1e30f})));

    // The shared corner of four cells is equally near all of them: the scan's first one wins.
    const glm::vec2 corner{11.0f, -4.0f};
    EXPECT_EQ(indices(nearestWalkable(d.grid, corner)), glm::ivec2(0, 0));
    d.grid.at({0, 0}).blocked = true;
    EXPECT_EQ(indices(nearestWalkable(d.grid, corner)), glm::ivec2(0, 1));
    EXPECT_EQ(nearestWalkable(d.grid, {NAN, -3.5f}).parentX, -1);

    for (GridNode& cell : d.grid.cells)
        cell.blocked = true;
    const GridNode none = nearestWalkable(d.grid, {11.5f, -3.5f});
    EXPECT_EQ(glm::ivec2(none.parentX, none.g), glm::ivec2(-1, GridNode::kUnknownCost));
}
