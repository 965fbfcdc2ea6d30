#pragma once

namespace Qel {

/// A mesh the graphics engine loads at start-up: its registry name and its file below the
/// "Meshes" asset folder. The file must exist (a missing mesh file stops the program).
struct BuiltInMesh {
    const char* name;
    const char* file;
};

inline constexpr BuiltInMesh kBuiltInMeshes[] = {
    {"squareDebug", "boxWireframe.msh"},
    {"circleDebug", "circleWireframe.msh"},
    {"lineDebug", "lineWireframe.msh"},
    {"quad", "square.msh"},
    // The UI batch adds its own instance attributes to this vertex array, so it needs its own copy.
    {"UIQuad", "square.msh"},
};

} // namespace Qel
