#include "QelSceneManager/NodeManager.h"

#include "Files.h"
#include "LogSink.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

using namespace Qel;

namespace {

// 2 x 2 cells at the origin unless a test replaces a part.
const std::string kOffset = R"("offset": [{"offset": 0.0}, {"offset": 0.0}])";
const std::string kNodes =
    R"("nodes": [{"walkable": true}, {"walkable": false}, {"walkable": true}, {"walkable": true}])";

std::string scene(const std::string& offset, const std::string& bounds, const std::string& nodes) {
    std::string parts = offset;
    for (const std::string* part : {&bounds, &nodes}) {
        if (part->empty()) continue;
        parts += (parts.empty() ? "" : ", ") + *part;
    }
    return R"({"Scene": {"NodeManager": {)" + parts + "}}}";
}

// "boundaries" from numbers written as in a file, e.g. "0.0 0.0 2.0 2.0".
std::string bounds(const std::string& values) {
    std::istringstream in(values);
    std::string text = R"("boundaries": [)";
    for (std::string value; in >> value;)
        text += R"({"Bounds": )" + value + "}, ";
    return text.substr(0, text.size() - 2) + "]";
}

const std::string kBounds = bounds("0.0 0.0 2.0 2.0");

class NodeManagerTest : public testing::Test {
protected:
    // Loads the scene text into the manager; returns what was printed.
    std::string load(const std::string& sceneText) {
        JSON doc = test::parseJson(sceneText);
        EXPECT_TRUE(doc.isParsed()) << sceneText;
        logged.take();
        const bool loaded = nodes.loadFromScene(doc);
        EXPECT_EQ(loaded, nodes.isLoaded());
        return logged.take();
    }

    int blockedCount() const {
        int count = 0;
        for (const GridNode& cell : nodes.grid.cells)
            count += cell.blocked;
        return count;
    }

    test::LogSink logged;
    NodeManager nodes;
};

} // namespace

TEST_F(NodeManagerTest, ReadsTheGridRowByRowAndIgnoresExtraElements) {
    // 3 x 2 cells; the walkable flags, row by row: .#. / ..# and one cell too many.
    const std::string walkable = R"("nodes": [{"walkable": true}, {"walkable": false}, {"walkable": true},
        {"walkable": true}, {"walkable": true}, {"walkable": false}, {"walkable": false}])";
    EXPECT_EQ(load(scene(R"("offset": [{"offset": -2.0}, {"offset": 3.0}, {"offset": 9.0}])",
                         bounds("1.0 0.0 3.5 2.0 50.0 60.0"), walkable)),
              "");
    ASSERT_TRUE(nodes.isLoaded());
    const NavGrid& grid = nodes.grid;
    EXPECT_EQ(grid.origin, glm::vec2(-2.0f, 3.0f));
    EXPECT_EQ(grid.bounds, glm::vec4(1.0f, 0.0f, 3.5f, 2.0f));
    EXPECT_EQ(glm::ivec2(grid.columns, grid.rows), glm::ivec2(3, 2));
    ASSERT_EQ(grid.cells.size(), 6u);
    EXPECT_TRUE(grid.at({1, 0}).blocked && grid.at({2, 1}).blocked);
    EXPECT_EQ(blockedCount(), 2);
    EXPECT_EQ(glm::ivec2(grid.at({2, 1}).x, grid.at({2, 1}).y), glm::ivec2(2, 1));
}

TEST_F(NodeManagerTest, IncompletePartsAreLoggedAndLeaveAnUnloadedGrid) {
    struct Case {
        std::string sceneText;
        std::string problem;
        int columns;
    };
    const Case cases[] = {
        {scene("", kBounds, kNodes), "offset is not a valid array", 2},
        {scene(R"("offset": [{"offset": 1.0}, {"x": 2.0}])", kBounds, kNodes), "[HIGH] Offset missing data",
         2},
        {scene(kOffset, bounds("0.0 0.0 2.0"), kNodes), "[HIGH] Bounds missing data", 0},
        {scene(kOffset, "", kNodes), "boundaries is not a valid array", 0},
        {scene(kOffset, kBounds, R"("nodes": [{"walkable": true}, {"walkable": false}])"),
         "[HIGH] Missing entire Nodes", 2},
        {scene(kOffset, kBounds, R"("nodes": [{"walkable": false}, true, {"walkable": 1}, {"walkable": 1}])"),
         "[HIGH] Nodes missing data", 2},
        {R"({"Scene": {}})", "CD TARGET NOT A VALID OBJECT", 0},
    };
    for (const Case& c : cases) {
        EXPECT_NE(load(c.sceneText).find(c.problem), std::string::npos) << c.sceneText;
        EXPECT_FALSE(nodes.isLoaded()) << c.sceneText;
        // The extent survives for the broad phase and the camera; the cells do not.
        EXPECT_EQ(nodes.grid.columns, c.columns) << c.sceneText;
        EXPECT_EQ(nodes.grid.cells.size(), static_cast<size_t>(c.columns * c.columns)) << c.sceneText;
        EXPECT_EQ(blockedCount(), 0) << c.sceneText;
    }
}

TEST_F(NodeManagerTest, UnusableBoundsAreRefusedWithoutAllocating) {
    const std::string refused = " give no usable grid: it needs 1 x 1 to 1000000 cells in all\n";
    const std::string cases[][2] = {
        {"0.0 0.0 100000.0 10000.0", "(0, 0) to (100000, 10000)"}, // 10^9 cells
        {"5.0 0.0 1.0 3.0", "(5, 0) to (1, 3)"},
        {"0.0 2.0 4.0 2.0", "(0, 2) to (4, 2)"},
        {"-3.0e38 0.0 3.0e38 1.0", "(-3e+38, 0) to (3e+38, 1)"}, // the width overflows to infinity
    };
    for (const auto& [values, range] : cases) {
        EXPECT_EQ(load(scene(kOffset, bounds(values), kNodes)), "[HIGH] Bounds " + range + refused);
        EXPECT_TRUE(nodes.grid.cells.empty() && nodes.grid.columns == 0);
    }

    EXPECT_EQ(gridDimensions({0.0f, 0.0f, 1000.0f, 1000.0f}), glm::ivec2(1000, 1000));
    EXPECT_FALSE(gridDimensions({0.0f, 0.0f, 1000.0f, 1000.5f}));
    EXPECT_EQ(gridDimensions({-0.5f, 0.0f, 0.25f, 0.1f}), glm::ivec2(1, 1));
}
