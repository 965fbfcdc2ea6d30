#pragma once

#include "FontRasterizer.h"
#include "Image.h"
#include "JsonValue.h"

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace ContentGen {

/// How the engine should sample a texture; written to the image's ".mdata" sidecar.
struct TextureOptions {
    struct Frame {
        std::string name;
        double offsetX, offsetY, sizeX, sizeY;
    };
    bool pixelArt = true;
    const char* wrap = "clampToEdge";
    bool sRGB = true;
    std::vector<Frame> frames;
};

/// Named frames laid side by side in one row, left to right, as texture-coordinate rectangles.
std::vector<TextureOptions::Frame> rowFrames(const std::vector<std::string>& names);

/// Everything one run generates, kept in memory as well so the previews can compose it.
class Content {
public:
    Content(std::filesystem::path repositoryRoot, const FontRasterizer& font);

    /// Writes Assets/<folder>/<name>.png and its sidecar.
    void saveTexture(const std::string& folder, const std::string& name, const Image& image,
                     const TextureOptions& options);
    /// Writes Assets/Cursors/<name>.png and the hot-spot file beside it (pixels from the top left).
    void saveCursor(const std::string& name, const Image& image, int hotSpotX, int hotSpotY);
    /// Writes Assets/Prefabs/<name>.json; the prefab's "name" is its file name.
    void savePrefab(const std::string& name, const std::string& tag, JsonValue types);
    void saveScene(const std::string& fileName, JsonValue scene);

    /// Logs the failure and makes the run fail.
    void fail(const std::string& what);

    const std::filesystem::path& assets() const { return assetFolder; }
    const FontRasterizer& font;
    std::map<std::string, Image> textures;
    std::map<std::string, TextureOptions> textureOptions;
    std::map<std::string, JsonValue> prefabs;
    std::map<std::string, JsonValue> scenes;
    bool ok = true;

private:
    std::filesystem::path assetFolder;
};

void makeSplashArt(Content& content);
void makeCursors(Content& content);
void makeTiles(Content& content);
void makeExitArt(Content& content);
void makeCharacters(Content& content);
void makeUiArt(Content& content);
void makeLut(Content& content);
void makeAnimations(Content& content);
void makePrefabs(Content& content);
void makeMainMenu(Content& content);
void makeIntroLevel(Content& content);
void makeDeepLevel(Content& content);
void makeCredits(Content& content);
/// Assets/PauseData: the pause menu and the title's settings panel.
void makePauseMenus(Content& content);
void makeScriptDemo(Content& content);
/// Pictures of the scenes as the game would show them at 1280 x 720, for looking, not shipping.
void writePreviews(const Content& content, const std::filesystem::path& folder);

} // namespace ContentGen
