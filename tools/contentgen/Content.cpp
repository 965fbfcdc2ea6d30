#include "Content.h"

#include <iostream>

namespace ContentGen {

std::vector<TextureOptions::Frame> rowFrames(const std::vector<std::string>& names) {
    std::vector<TextureOptions::Frame> frames;
    const double width = 1.0 / static_cast<double>(names.size());
    for (size_t i = 0; i < names.size(); ++i)
        frames.push_back({names[i], width * static_cast<double>(i), 0.0, width, 1.0});
    return frames;
}

Content::Content(std::filesystem::path repositoryRoot, const FontRasterizer& font)
    : font(font), assetFolder(std::move(repositoryRoot) / "Assets") {}

void Content::saveTexture(const std::string& folder, const std::string& name, const Image& image,
                          const TextureOptions& options) {
    const std::filesystem::path png = assetFolder / folder / (name + ".png");
    if (!image.writePng(png)) fail("cannot write " + png.string());

    JsonValue sidecar = JsonValue::object();
    sidecar.set("wrapmode", options.wrap);
    sidecar.set("filtermode", options.pixelArt ? "nearest" : "linear");
    sidecar.set("sRGB", options.sRGB);
    if (!options.frames.empty()) {
        JsonValue frames = JsonValue::array();
        for (const TextureOptions::Frame& frame : options.frames) {
            frames.push(JsonValue::object()
                            .set("name", frame.name)
                            .set("sizeX", frame.sizeX)
                            .set("sizeY", frame.sizeY)
                            .set("offsetX", frame.offsetX)
                            .set("offsetY", frame.offsetY));
        }
        sidecar.set("SubTextures", std::move(frames));
    }
    if (!sidecar.writeFile(png.string() + ".mdata")) fail("cannot write the sidecar of " + png.string());
    textures[name] = image;
    textureOptions[name] = options;
}

void Content::saveCursor(const std::string& name, const Image& image, int hotSpotX, int hotSpotY) {
    const std::filesystem::path png = assetFolder / "Cursors" / (name + ".png");
    if (!image.writePng(png)) fail("cannot write " + png.string());
    JsonValue hotSpot = JsonValue::object().set("offsetX", hotSpotX).set("offsetY", hotSpotY);
    if (!hotSpot.writeFile(assetFolder / "Cursors" / (name + ".json")))
        fail("cannot write hot spot of " + name);
}

void Content::savePrefab(const std::string& name, const std::string& tag, JsonValue types) {
    JsonValue prefab = JsonValue::object();
    prefab.set("name", name)
        .set("tag", tag)
        .set("component", JsonValue::object().set("types", std::move(types)));
    if (!prefab.writeFile(assetFolder / "Prefabs" / (name + ".json"))) fail("cannot write prefab " + name);
    prefabs[name] = std::move(prefab);
}

void Content::saveScene(const std::string& fileName, JsonValue scene) {
    if (!scene.writeFile(assetFolder / "Scenes" / fileName)) fail("cannot write scene " + fileName);
    scenes[fileName] = std::move(scene);
}

void Content::fail(const std::string& what) {
    std::cerr << "contentgen: " << what << '\n';
    ok = false;
}

} // namespace ContentGen
