// Path search on a 100 x 100 level with about a fifth of its cells walled, corner to corner.
// Prints the median time of one search over several runs.
#include "BenchStats.h"
#include "QelSceneManager/NavGrid.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <random>
#include <vector>

namespace {

constexpr int kSide = 100;
constexpr int kRuns = 15;
constexpr int kSearchesPerRun = 200;

// Scatters walls from a fixed seed, trying the following seeds until the corners are connected,
// so every run of the benchmark searches the same level.
Qel::NavGrid scatteredWalls(glm::ivec2 start, glm::ivec2 goal) {
    for (unsigned seed = 1;; ++seed) {
        std::mt19937 random(seed);
        Qel::NavGrid grid;
        grid.resize(kSide, kSide);
        // One cell in five; mt19937's output is fixed by the standard, unlike its distributions.
        for (Qel::GridNode& cell : grid.cells)
            cell.blocked = random() % 5 == 0;
        grid.at(start).blocked = false;
        grid.at(goal).blocked = false;
        if (Qel::findPath(grid, start, goal).result == Qel::PathResult::Step) {
            const auto walls = std::count_if(grid.cells.begin(), grid.cells.end(),
                                             [](const Qel::GridNode& cell) { return cell.blocked; });
            std::printf("level: seed %u, %.1f%% walls\n", seed,
                        100.0 * static_cast<double>(walls) / static_cast<double>(grid.cells.size()));
            return grid;
        }
    }
}


} // namespace

int main() {
    const glm::ivec2 start{0, 0};
    const glm::ivec2 goal{kSide - 1, kSide - 1};
    Qel::NavGrid grid = scatteredWalls(start, goal);

    // Wall time, and processor time, which stays meaningful on a machine busy with other work.
    std::vector<double> wallMicroseconds;
    std::vector<double> cpuMicroseconds;
    for (int run = 0; run < kRuns; ++run) {
        const auto wallBegan = std::chrono::steady_clock::now();
        const std::clock_t cpuBegan = std::clock();
        for (int i = 0; i < kSearchesPerRun; ++i) {
            if (Qel::findPath(grid, start, goal).result != Qel::PathResult::Step) return 1;
        }
        const std::chrono::duration<double, std::micro> wall = std::chrono::steady_clock::now() - wallBegan;
        const double cpu = 1e6 * static_cast<double>(std::clock() - cpuBegan) / CLOCKS_PER_SEC;
        wallMicroseconds.push_back(wall.count() / kSearchesPerRun);
        cpuMicroseconds.push_back(cpu / kSearchesPerRun);
    }
    std::printf("path search %dx%d corner to corner, median of %d runs of %d searches:\n", kSide, kSide,
                kRuns, kSearchesPerRun);
    std::printf("  %.1f us per search (wall), %.1f us per search (processor)\n", Bench::median(wallMicroseconds),
                Bench::median(cpuMicroseconds));
    return 0;
}
