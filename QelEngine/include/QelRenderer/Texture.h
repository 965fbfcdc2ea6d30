#pragma once

#include "QelRenderer/TextureMetadata.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <unordered_map>

namespace Qel {

/// An image asset: decoded with stb_image, described by its ".mdata" sidecar and uploaded to a GL
/// 2D texture. Textures are owned by the Texture registry for the whole run; the GL texture is
/// released with them.
class Texture {
public:
    /// Decodes and uploads at once; main thread only (splash images, cursors).
    explicit Texture(const char* path);
    /// Decodes on a loading worker and posts "MTTextureCreateRequest" so the main thread uploads
    /// the pixels into the texture registered under key. Makes no GL call.
    Texture(const char* path, uint64_t key);
    ~Texture();

    Texture(Texture&& other) noexcept;
    Texture& operator=(Texture&& other) noexcept;
    Texture(const Texture&) = delete;
    Texture& operator=(const Texture&) = delete;

    /// The named rectangle of the sidecar's "SubTextures", or nullptr.
    const SubTexture* findSubTexture(const std::string& name) const;

    /// Creates the GL texture from width x height tightly packed pixels (replacing an earlier
    /// one) with the given wrap and filter modes and mipmaps. Main thread only.
    void upload(uint32_t internalFormat, uint32_t format, int wrap, int filter, const uint8_t* pixels);

    /// GL texture name; 0 until uploaded.
    uint32_t id = 0;
    /// Size in pixels and channel count, from the decoder.
    int width = 0;
    int height = 0;
    int channels = 0;
    /// GL enums, used for both axes (wrap) and both minification and magnification (filter).
    int wrapMode = kTextureWrapRepeat;
    int filterMode = kTextureFilterLinear;
    std::unordered_map<std::string, SubTexture> subTextures;
    /// When set the GL internal format is the sRGB one.
    bool sRGB = true;
    /// Every pixel is fully opaque (no alpha channel, or alpha 255 throughout) and no transparent
    /// border wraps it: whatever part of it a sprite shows hides what lies beneath.
    bool opaque = false;

private:
    /// Applies the sidecar and decodes; the returned pixels belong to the caller. An unreadable
    /// image or a channel count other than 3 or 4 is a strong assertion.
    uint8_t* decode(const char* path);
};

/// How a texture's pixels reach the GPU: at once (main thread) or through the upload queue.
enum class TextureUpload { Immediate, Queued };

/// Registers every ".png", ".jpg" and ".PNG" file below folder in the Texture registry under its
/// asset name (path below folder without the extension). A name already registered is skipped
/// with "ignored duplicate: %s". Queued builds run on loading workers. Returns the files handled.
size_t loadTextureFolder(const std::filesystem::path& folder, TextureUpload upload);

} // namespace Qel
