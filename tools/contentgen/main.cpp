// contentgen: writes the game's generated content (images, sidecars, cursors, animation clips and
// controllers, prefabs, scenes) into <repository root>/Assets. The same root always gets the same bytes.
// Usage: contentgen <repository root> [--preview <folder>]
#include "Content.h"

#include <iostream>
#include <string>

int main(int argc, char** argv) {
    if (argc != 2 && !(argc == 4 && std::string(argv[2]) == "--preview")) {
        std::cerr << "usage: contentgen <repository root> [--preview <folder>]\n";
        return 2;
    }
    const std::filesystem::path root = argv[1];
    ContentGen::FontRasterizer font(root / "Assets/Fonts/Roboto-Modified.ttf");
    if (!font.ok()) {
        std::cerr << "contentgen: cannot load Assets/Fonts/Roboto-Modified.ttf (configure the build first)\n";
        return 1;
    }
    ContentGen::Content content(root, font);
    ContentGen::makeSplashArt(content);
    ContentGen::makeCursors(content);
    ContentGen::makeTiles(content);
    ContentGen::makeExitArt(content);
    ContentGen::makeCharacters(content);
    ContentGen::makeUiArt(content);
    ContentGen::makeLut(content);
    ContentGen::makeAnimations(content);
    ContentGen::makePrefabs(content);
    ContentGen::makeMainMenu(content);
    ContentGen::makeIntroLevel(content);
    ContentGen::makeDeepLevel(content);
    ContentGen::makeCredits(content);
    ContentGen::makePauseMenus(content);
    ContentGen::makeScriptDemo(content);
    if (argc == 4) ContentGen::writePreviews(content, argv[3]);
    return content.ok ? 0 : 1;
}
