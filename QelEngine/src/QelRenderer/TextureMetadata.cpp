#include "QelRenderer/TextureMetadata.h"

#include "QelCore/LogManager.h"
#include "data/JSON.h"

#include <GL/glew.h>

#include <filesystem>
#include <fstream>
#include <system_error>

namespace Qel {

static_assert(kTextureWrapRepeat == GL_REPEAT && kTextureWrapMirroredRepeat == GL_MIRRORED_REPEAT &&
              kTextureWrapClampToEdge == GL_CLAMP_TO_EDGE && kTextureWrapClampToBorder == GL_CLAMP_TO_BORDER);
static_assert(kTextureFilterNearest == GL_NEAREST && kTextureFilterLinear == GL_LINEAR);

namespace {

struct NamedMode {
    std::string_view name;
    int mode;
};

constexpr NamedMode kWrapModes[] = {{"wrap", kTextureWrapRepeat},
                                    {"mirror", kTextureWrapMirroredRepeat},
                                    {"clampToEdge", kTextureWrapClampToEdge},
                                    {"clampToBorder", kTextureWrapClampToBorder}};
constexpr NamedMode kFilterModes[] = {{"nearest", kTextureFilterNearest}, {"linear", kTextureFilterLinear}};

/// Sets mode from the string under key when it names one of modes; anything else keeps mode.
template <size_t N>
void readMode(const JSON& json, std::string_view key, const NamedMode (&modes)[N], int& mode,
              const std::string& sidecar) {
    std::string text;
    if (!json.get(key, text)) return;
    for (const NamedMode& candidate : modes) {
        if (candidate.name == text) {
            mode = candidate.mode;
            return;
        }
    }
    logf(LOG_MED, "%s: unknown %.*s \"%s\", default kept", sidecar.c_str(), static_cast<int>(key.size()),
         key.data(), text.c_str());
}

void readSubTextures(JSON& json, TextureMetadata& metadata, const std::string& sidecar) {
    for (const JSONArr::iter& element : json.getArray("SubTextures")) {
        std::string name;
        if (!element.get("name", name)) {
            logf(LOG_MED, "%s: a sub-texture without a name is ignored", sidecar.c_str());
            continue;
        }
        SubTexture rect;
        element.get("sizeX", rect.sizeX);
        element.get("sizeY", rect.sizeY);
        element.get("offsetX", rect.offsetX);
        element.get("offsetY", rect.offsetY);
        metadata.subTextures.insert_or_assign(std::move(name), rect);
    }
}

void writeDefaults(const TextureMetadata& metadata, const std::string& sidecar) {
    JSON json;
    json.set("wrapmode", "wrap");
    json.set("filtermode", "linear");
    json.set("sRGB", metadata.sRGB);
    std::ofstream out(sidecar, std::ios::binary);
    if (!json.write(out)) logf(LOG_MED, "unable to write texture metadata: %s", sidecar.c_str());
}

} // namespace

std::string textureMetadataPath(std::string_view imagePath) {
    return std::string(imagePath) + ".mdata";
}

TextureMetadata readTextureMetadata(std::string_view imagePath) {
    TextureMetadata metadata;
    metadata.subTextures.rehash(8);
    const std::string sidecar = textureMetadataPath(imagePath);

    std::error_code error;
    if (!std::filesystem::exists(sidecar, error)) {
        writeDefaults(metadata, sidecar);
        return metadata;
    }
    std::ifstream in(sidecar, std::ios::binary);
    JSON json;
    json.parse(in);
    if (!json.isParsed()) {
        // Left as it is: it may be an author's file with a typo, which a rewrite would destroy.
        logf(LOG_MED, "unreadable texture metadata, defaults used: %s", sidecar.c_str());
        return metadata;
    }
    readMode(json, "wrapmode", kWrapModes, metadata.wrapMode, sidecar);
    readMode(json, "filtermode", kFilterModes, metadata.filterMode, sidecar);
    json.get("sRGB", metadata.sRGB);
    readSubTextures(json, metadata, sidecar);
    return metadata;
}

} // namespace Qel
