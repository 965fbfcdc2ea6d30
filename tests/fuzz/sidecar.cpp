// Reads arbitrary bytes as a texture's ".mdata" sidecar. Whatever they hold, the texture gets a
// wrap and a filter mode GL knows, finite sub-texture rectangles, and the sidecar file is left as
// it was (only a missing sidecar is written).
#include "QelRenderer/TextureMetadata.h"

#include "FuzzSupport.h"

#include <cmath>
#include <fstream>
#include <string_view>

using fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::installQuietLog();
    static const std::string image = fuzz::scratchFile("sidecar.png").string();
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
    std::ostringstream kept;
    kept << std::ifstream(sidecar, std::ios::binary).rdbuf();
    require(kept.str() == input);
    return 0;
}
