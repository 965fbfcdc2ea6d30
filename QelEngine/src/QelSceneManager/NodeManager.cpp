#include "QelSceneManager/NodeManager.h"

#include "QelCore/LogManager.h"
#include "data/JSON.h"

#include <glm/gtc/type_ptr.hpp>

#include <iostream>
#include <span>

namespace Qel {

namespace {

// One float per element, from the first out.size() elements; later elements are ignored so a
// long array cannot write past the origin or the bounds.
bool readFloats(const JSONArr& array, std::string_view key, std::span<float> out, const char* missing) {
    bool complete = true;
    JSONArr::iter element = array.begin();
    for (float& value : out) {
        const bool present = element != array.end();
        if (!present || !element->get(key, value)) {
            log(LOG_HIGH, missing);
            complete = false;
        }
        if (present) ++element;
    }
    return complete;
}

// Stops at the first unreadable cell: the grid is discarded anyway, and a large grid of bad
// entries would otherwise log one line per cell.
bool readCells(const JSONArr& nodes, NavGrid& grid) {
    size_t cell = 0;
    for (const JSONArr::iter& element : nodes) {
        if (cell == grid.cells.size()) break;
        bool walkable = false;
        if (!element.get("walkable", walkable)) {
            log(LOG_HIGH, "Nodes missing data");
            return false;
        }
        grid.cells[cell++].blocked = !walkable;
    }
    if (nodes.size() < grid.cells.size()) {
        log(LOG_HIGH, "Missing entire Nodes");
        std::cout << grid.cells.size() << ' ' << nodes.size() << std::endl;
        return false;
    }
    return true;
}

} // namespace

bool NodeManager::loadFromScene(JSON& doc) {
    grid = NavGrid{};
    loaded = false;
    doc.cursor = nullptr;
    if (!doc.cd("Scene") || !doc.cd("NodeManager")) return false;

    const JSONArr offsets = doc.getArray("offset");
    const JSONArr boundaries = doc.getArray("boundaries");
    const JSONArr nodes = doc.getArray("nodes");
    bool complete = offsets.isValid() && boundaries.isValid() && nodes.isValid();

    if (offsets.isValid()) {
        complete &= readFloats(offsets, "offset", {glm::value_ptr(grid.origin), 2}, "Offset missing data");
    }
    glm::vec4 bounds{0.0f};
    if (boundaries.isValid() &&
        readFloats(boundaries, "Bounds", {glm::value_ptr(bounds), 4}, "Bounds missing data")) {
        if (const std::optional<glm::ivec2> size = gridDimensions(bounds)) {
            grid.bounds = bounds;
            grid.resize(size->x, size->y);
        } else {
            logf(LOG_HIGH,
                 "Bounds (%g, %g) to (%g, %g) give no usable grid: it needs 1 x 1 to %zu cells in all",
                 bounds.x, bounds.y, bounds.z, bounds.w, NavGrid::kMaxCells);
            complete = false;
        }
    } else {
        complete = false;
    }
    if (nodes.isValid()) complete &= readCells(nodes, grid);

    loaded = complete;
    if (!loaded) grid.resize(grid.columns, grid.rows);
    return loaded;
}

} // namespace Qel
