#include "QelRenderer/Texture.h"

#include "QelCore/LogManager.h"
#include "QelCore/StrongAssert.h"
#include "QelRenderer/TextureUploadQueue.h"
#include "data/AssetManager.h"
#include "data/DirectoryLoader.h"
#include "messaging/MessageManager.h"

#include <GL/glew.h>
#include <stb_image.h>

#include <utility>

namespace Qel {

namespace {

uint32_t pixelFormat(int channels) {
    return channels == 3 ? GL_RGB : GL_RGBA;
}

uint32_t sRGBInternalFormat(int channels) {
    return channels == 3 ? GL_SRGB8 : GL_SRGB8_ALPHA8;
}

bool everyAlphaFull(const uint8_t* rgba, size_t pixelCount) {
    for (size_t i = 0; i < pixelCount; ++i)
        if (rgba[i * 4 + 3] != 255) return false;
    return true;
}

bool loadTextureFile(AssetManager& assets, const std::string& name, const std::string& path,
                     TextureUpload upload) {
    const uint64_t key = hashName(name);
    if (assets.obtainRegistry<Texture>()->get(key)) {
        logf(LOG_MED, "ignored duplicate: %s", path.c_str());
        return true;
    }
    // Built before it is added: the registry's lock must not be held while the keyed build waits
    // for the upload queue's lock, which the main thread holds while it reads the registry.
    Texture texture = upload == TextureUpload::Queued ? Texture(path.c_str(), key) : Texture(path.c_str());
    return assets.load<Texture>(name, std::move(texture));
}

} // namespace

Texture::Texture(const char* path) {
    const DecodedPixels pixels(decode(path));
    const uint32_t format = pixelFormat(channels);
    upload(sRGB ? sRGBInternalFormat(channels) : format, format, wrapMode, filterMode, pixels.get());
}

Texture::Texture(const char* path, uint64_t key) {
    DecodedPixels pixels(decode(path));
    TextureCreateRequestMessage request(kTextureCreateRequest, key, sRGBInternalFormat(channels),
                                        pixelFormat(channels), wrapMode, filterMode, pixels.get());
    MessageManager* messages = MessageManager::instance();
    if (messages && messages->sendImmediate(request, kGraphicsMultiThreadReceiver) != 0) {
        // The handler owns the pixels now.
        static_cast<void>(pixels.release());
        return;
    }
    logf(LOG_HIGH, "no receiver for the upload of texture %s; it stays empty", path);
}

Texture::~Texture() {
    if (id != 0) glDeleteTextures(1, &id);
}

Texture::Texture(Texture&& other) noexcept
    : id(std::exchange(other.id, 0)), width(other.width), height(other.height), channels(other.channels),
      wrapMode(other.wrapMode), filterMode(other.filterMode), subTextures(std::move(other.subTextures)),
      sRGB(other.sRGB), opaque(other.opaque) {}

Texture& Texture::operator=(Texture&& other) noexcept {
    if (this != &other) {
        if (id != 0) glDeleteTextures(1, &id);
        id = std::exchange(other.id, 0);
        width = other.width;
        height = other.height;
        channels = other.channels;
        wrapMode = other.wrapMode;
        filterMode = other.filterMode;
        subTextures = std::move(other.subTextures);
        sRGB = other.sRGB;
        opaque = other.opaque;
    }
    return *this;
}

const SubTexture* Texture::findSubTexture(const std::string& name) const {
    const auto found = subTextures.find(name);
    return found == subTextures.end() ? nullptr : &found->second;
}

void Texture::upload(uint32_t internalFormat, uint32_t format, int wrap, int filter, const uint8_t* pixels) {
    if (id != 0) glDeleteTextures(1, &id);
    glGenTextures(1, &id);
    glBindTexture(GL_TEXTURE_2D, id);
    // Decoded rows are tightly packed; the default 4-byte row alignment would shear RGB images whose
    // width is not a multiple of 4 (and the font loader changes the setting anyway).
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, static_cast<GLint>(internalFormat), width, height, 0, format,
                 GL_UNSIGNED_BYTE, pixels);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrap);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrap);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
    glGenerateMipmap(GL_TEXTURE_2D);
}

uint8_t* Texture::decode(const char* path) {
    TextureMetadata metadata = readTextureMetadata(path);
    wrapMode = metadata.wrapMode;
    filterMode = metadata.filterMode;
    sRGB = metadata.sRGB;
    subTextures = std::move(metadata.subTextures);

    stbi_set_flip_vertically_on_load_thread(1);
    uint8_t* pixels = stbi_load(path, &width, &height, &channels, 0);
    if (!pixels) QEL_STRONG_ASSERT(std::string("Unable to read texture: ") + path);
    if (channels != 3 && channels != 4) {
        stbi_image_free(pixels);
        QEL_STRONG_ASSERT("Texture has invalid number of channels! Supported are: 3 & 4");
    }
    // A border is transparent, and a filtered sample at the picture's edge takes some of it in.
    opaque = wrapMode != kTextureWrapClampToBorder &&
             (channels == 3 || everyAlphaFull(pixels, static_cast<size_t>(width) * height));
    return pixels;
}

size_t loadTextureFolder(const std::filesystem::path& folder, TextureUpload upload) {
    AssetManager* assets = AssetManager::instance();
    if (!assets) {
        logf(LOG_HIGH, "no asset manager: textures of %s not loaded", folder.generic_string().c_str());
        return 0;
    }
    return loadDirectory(folder, {".png", ".jpg", ".PNG"},
                         [&](const std::string& name, const std::string& path) {
                             return loadTextureFile(*assets, name, path, upload);
                         });
}

} // namespace Qel
