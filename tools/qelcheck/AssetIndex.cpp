#include "AssetIndex.h"

#include "QelAudio/Sound.h"
#include "QelCore/Cursors.h"
#include "QelRenderer/AnimationClip.h"
#include "QelRenderer/AnimationController.h"
#include "QelRenderer/BuiltInMeshes.h"
#include "QelRenderer/Font.h"
#include "QelRenderer/Mesh.h"
#include "QelRenderer/Texture.h"
#include "QelScripting/ScriptAssets.h"
#include "data/DirectoryLoader.h"

#include <initializer_list>
#include <string_view>

namespace Qel::Check {

namespace {

// The asset folders and extensions of the engine's loaders (textures, fonts, animations, cursors,
// sounds, scripts), which each pass their own list to the directory loader.
void collect(AssetIndex::Kind& kind, const std::filesystem::path& folder,
             std::initializer_list<const char*> folders, std::initializer_list<std::string_view> extensions) {
    for (const char* name : folders) {
        if (!std::filesystem::is_directory(folder / name)) continue;
        loadDirectory(folder / name, extensions, [&kind](const std::string& asset, const std::string&) {
            kind.names.insert(asset);
            return true;
        });
    }
}

} // namespace

AssetIndex::AssetIndex(const std::filesystem::path& folder)
    : textures{"texture", "Art/ or Splash/", {}}, fonts{"font", "Fonts/", {}},
      controllers{"animator controller", "JSON/", {}}, clips{"clip", "JSON/", {}},
      meshes{"mesh", "the renderer's built-in meshes", {}}, cursors{"cursor", "Cursors/", {}},
      sounds{"sound", "Audio/", {}}, scripts{"script", "Scripts/", {}} {
    collect(textures, folder, {"Splash", "Art"}, {".png", ".jpg", ".PNG"});
    collect(fonts, folder, {"Fonts"}, {".ttf"});
    collect(controllers, folder, {"JSON"}, {".animcontroller"});
    collect(clips, folder, {"JSON"}, {".anim"});
    collect(cursors, folder, {"Cursors"}, {".png", ".jpg", ".PNG", ".JPG"});
    collect(sounds, folder, {"Audio"}, {".ogg"});
    collect(scripts, folder, {"Scripts"}, {".lua", ".LUA"});
    for (const BuiltInMesh& mesh : kBuiltInMeshes)
        meshes.names.insert(mesh.name);
    byType = {{typeid(Texture), &textures},
              {typeid(Font), &fonts},
              {typeid(AnimatorController), &controllers},
              {typeid(Graphics::Clip), &clips},
              {typeid(Mesh), &meshes},
              {typeid(cursorWrapper), &cursors},
              {typeid(Sound), &sounds},
              {typeid(LuaScriptStringWrapper), &scripts}};
}

const AssetIndex::Kind* AssetIndex::find(std::type_index type) const {
    const auto found = byType.find(type);
    return found == byType.end() ? nullptr : found->second;
}

} // namespace Qel::Check
