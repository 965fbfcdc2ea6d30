#include "CheckKinds.h"

#include "QelRenderer/BuiltInMeshes.h"
#include "QelRenderer/MeshFile.h"

#include <fstream>
#include <map>
#include <string>

namespace Qel::Check {

// ".msh" files: every mesh the renderer loads must exist (a missing one stops the program), and
// every line must parse.
void checkMeshes(CheckContext& context) {
    const std::filesystem::path folder = context.folder / "Meshes";
    std::map<std::string, std::string> meshesOfFile;
    for (const BuiltInMesh& mesh : kBuiltInMeshes)
        meshesOfFile[mesh.file] +=
            (meshesOfFile[mesh.file].empty() ? "\"" : ", \"") + std::string(mesh.name) + '"';
    for (const auto& [file, meshes] : meshesOfFile) {
        if (!std::filesystem::is_regular_file(folder / file))
            context.report(folder / file, "",
                           "is missing; the renderer loads it (as " + meshes + ") and stops without it");
    }
    for (const auto& file : context.files("Meshes", {".msh"})) {
        context.read(file, [&] {
            std::ifstream in(file);
            parseMeshFile(in, file.filename().string());
        });
    }
}

} // namespace Qel::Check
