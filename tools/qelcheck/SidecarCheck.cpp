#include "CheckKinds.h"

#include "QelRenderer/TextureMetadata.h"

#include <stb_image.h>

namespace Qel::Check {

// Texture images and their ".mdata" sidecars. The engine stops on an image it cannot decode or
// whose channel count is not 3 or 4, and writes a sidecar with the defaults into the asset folder
// for an image without one.
void checkSidecars(CheckContext& context) {
    for (const char* folder : {"Splash", "Art"}) {
        for (const auto& image : context.files(folder, {".png", ".jpg", ".PNG"})) {
            int width = 0, height = 0, channels = 0;
            if (!stbi_info(image.c_str(), &width, &height, &channels)) {
                context.report(image, "", "cannot be decoded as an image; the engine stops on it");
            } else if (channels != 3 && channels != 4) {
                context.report(image, "",
                               "has " + std::to_string(channels) +
                                   " channels; the engine stops on any but 3 (RGB) or 4 (RGBA)");
            }
            const std::string sidecar = textureMetadataPath(image.string());
            // Checked first: reading a missing sidecar writes one into the content folder.
            if (!std::filesystem::is_regular_file(sidecar)) {
                context.report(image, "",
                               "has no sidecar " + image.filename().string() +
                                   ".mdata; the engine would write one with the defaults");
                continue;
            }
            context.read(sidecar, [&] { readTextureMetadata(image.string()); });
        }
    }
}

} // namespace Qel::Check
