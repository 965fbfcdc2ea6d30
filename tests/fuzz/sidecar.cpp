// Reads arbitrary bytes as a texture's ".mdata" sidecar. Whatever they hold, the texture gets a
// wrap and a filter mode GL knows, finite sub-texture rectangles, and the sidecar file is left as
// it was (only a missing sidecar is written).
#include "QelRenderer/TextureMetadata.h"
#include "QuietLog.h"

#include <unistd.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>

namespace {

void require(bool condition) {
    if (!condition) std::abort();
}

std::string fileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    installQuietLog();
    static const std::string image =
        (std::filesystem::temp_directory_path() / ("qel-fuzz-sidecar-" + std::to_string(getpid()) + ".png"))
            .string();
    const std::string sidecar = Qel::textureMetadataPath(image);
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    std::ofstream(sidecar, std::ios::binary) << input;

    const Qel::TextureMetadata metadata = Qel::readTextureMetadata(image);
    require(metadata.wrapMode == Qel::kTextureWrapRepeat ||
            metadata.wrapMode == Qel::kTextureWrapMirroredRepeat ||
            metadata.wrapMode == Qel::kTextureWrapClampToEdge ||
            metadata.wrapMode == Qel::kTextureWrapClampToBorder);
    require(metadata.filterMode == Qel::kTextureFilterNearest ||
            metadata.filterMode == Qel::kTextureFilterLinear);
    for (const auto& [name, rect] : metadata.subTextures)
        require(std::isfinite(rect.sizeX) && std::isfinite(rect.sizeY) && std::isfinite(rect.offsetX) &&
                std::isfinite(rect.offsetY));
    require(fileText(sidecar) == input);
    return 0;
}
