#include "QelRenderer/MeshFile.h"

#include "LogSink.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace Qel {
namespace {

MeshData parseAsset(const std::string& name) {
    std::ifstream in(std::string(QEL_SOURCE_DIR) + "/Assets/Meshes/" + name);
    EXPECT_TRUE(in) << name;
    return parseMeshFile(in, name);
}

// The quad is checked by every picture the frame tests draw; the outlines are only drawn for debugging.
TEST(MeshFileTest, ShippedWireframesAreClosed) {
    for (const char* name : {"boxWireframe.msh", "circleWireframe.msh", "lineWireframe.msh"}) {
        const MeshData wire = parseAsset(name);
        EXPECT_EQ(wire.primitive, kPrimitiveLineLoop) << name;
        EXPECT_EQ(wire.indices.size(), wire.positions.size()) << name;
    }
}

TEST(MeshFileTest, GarbageIsDroppedAndLoggedAndNoIndexNamesAMissingVertex) {
    std::istringstream text("n  tri  extra\n"
                            "\n"
                            "v\n"
                            "# comment\n"
                            "v 0.0 0.0\r\n"
                            "v 1.0 abc\n"
                            "v 1.0\n"
                            "v nan 0.0\n"
                            "v 1.0 0.0\n"
                            "v 0.0\t1.0\n"
                            "u 0.0 0.0\n"
                            "ts 0 1 x 2\n"
                            "ll 2 3 70000 -1 65535 0\n");
    test::LogSink logged;
    const MeshData mesh = parseMeshFile(text, "test.msh");
    const std::string log = logged.take();

    EXPECT_EQ(mesh.name, "tri");
    ASSERT_EQ(mesh.positions.size(), 3u);
    EXPECT_EQ(mesh.positions[2], glm::vec2(0.0f, 1.0f));
    // One coordinate for three vertices: the others read as the origin, none is read past the end.
    EXPECT_EQ(mesh.texCoords, std::vector<glm::vec2>(3, glm::vec2(0.0f)));
    // The last index line decides the primitive; indices keep file order.
    EXPECT_EQ(mesh.primitive, kPrimitiveLineLoop);
    EXPECT_EQ(mesh.indices, (std::vector<uint16_t>{0, 1, 2, 2, 0}));
    EXPECT_NE(log.find("test.msh: line 6: malformed position"), std::string::npos) << log;
    EXPECT_NE(log.find("malformed index"), std::string::npos) << log;
    EXPECT_NE(log.find("2 indices name no vertex (there are 3)"), std::string::npos) << log;
}

} // namespace
} // namespace Qel
