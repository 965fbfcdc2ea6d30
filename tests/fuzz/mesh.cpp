// Parses arbitrary bytes as a ".msh" file. Whatever they hold, the mesh handed to the GPU must
// only hold finite coordinates, one texture coordinate per position (or none) and indices that
// name a vertex, with one of the primitives the renderer draws.
#include "QelRenderer/MeshFile.h"

#include "FuzzSupport.h"

#include <cmath>

namespace {

using fuzz::require;

bool finite(const glm::vec2& v) {
    return std::isfinite(v.x) && std::isfinite(v.y);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::installQuietLog();
    std::istringstream in(fuzz::text(data, size));
    const Qel::MeshData mesh = Qel::parseMeshFile(in, "fuzz.msh");

    require(mesh.texCoords.empty() || mesh.texCoords.size() == mesh.positions.size());
    for (const glm::vec2& position : mesh.positions)
        require(finite(position));
    for (const glm::vec2& texCoord : mesh.texCoords)
        require(finite(texCoord));
    for (uint16_t index : mesh.indices)
        require(index < mesh.positions.size());
    require(mesh.primitive == Qel::kPrimitiveTriangles || mesh.primitive == Qel::kPrimitiveTriangleStrip ||
            mesh.primitive == Qel::kPrimitiveLineLoop);
    return 0;
}
