#pragma once

#include <glm/vec2.hpp>

#include <cstdint>
#include <istream>
#include <string>
#include <string_view>
#include <vector>

namespace Qel {

inline constexpr uint32_t kPrimitiveTriangles = 0x0004;
inline constexpr uint32_t kPrimitiveLineLoop = 0x0002;
inline constexpr uint32_t kPrimitiveTriangleStrip = 0x0005;

/// The contents of a ".msh" file, ready for upload.
struct MeshData {
    std::string name;
    /// Positions in model units.
    std::vector<glm::vec2> positions;
    /// Empty, or exactly one texture coordinate per position.
    std::vector<glm::vec2> texCoords;
    /// 16-bit indices, each below positions.size().
    std::vector<uint16_t> indices;
    /// GL primitive mode.
    uint32_t primitive = kPrimitiveTriangles;
};

/// Parses ".msh" text: "n " name, "v " x y, "u " u v, "ts"/"ll" index lists (triangle strip /
/// line loop; the last such line decides). Other lines are ignored. Malformed values, indices that
/// name no vertex and texture coordinates without a vertex are dropped and logged, so the result
/// never reads outside its own arrays; source names the file in those log lines.
MeshData parseMeshFile(std::istream& in, std::string_view source);

} // namespace Qel
