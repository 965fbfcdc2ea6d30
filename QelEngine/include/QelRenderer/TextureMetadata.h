#pragma once

#include <string>
#include <string_view>
#include <unordered_map>

namespace Qel {

/// GL enum values of the sidecar's wrap and filter modes, kept here so that headers need no GL
/// header (TextureMetadata.cpp checks them against GLEW's).
inline constexpr int kTextureWrapRepeat = 0x2901;
inline constexpr int kTextureWrapMirroredRepeat = 0x8370;
inline constexpr int kTextureWrapClampToEdge = 0x812F;
inline constexpr int kTextureWrapClampToBorder = 0x812D;
inline constexpr int kTextureFilterNearest = 0x2600;
inline constexpr int kTextureFilterLinear = 0x2601;

/// A named rectangle of a texture, in texture coordinates (0 to 1).
struct SubTexture {
    float sizeX = 0.0f;
    float sizeY = 0.0f;
    float offsetX = 0.0f;
    float offsetY = 0.0f;
};

/// What a texture's ".mdata" sidecar says about it; the defaults are those of a missing sidecar.
struct TextureMetadata {
    int wrapMode = kTextureWrapRepeat;
    int filterMode = kTextureFilterLinear;
    bool sRGB = true;
    std::unordered_map<std::string, SubTexture> subTextures;
};

/// The sidecar path of an image: the image path with ".mdata" appended.
std::string textureMetadataPath(std::string_view imagePath);

/// Reads the sidecar of imagePath. A missing sidecar is written with the defaults and the defaults
/// are returned; an unreadable one, unknown strings and wrongly typed keys are logged and leave
/// the defaults in place.
TextureMetadata readTextureMetadata(std::string_view imagePath);

} // namespace Qel
