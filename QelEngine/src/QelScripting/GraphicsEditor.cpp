#include "QelRenderer/GraphicsEngine.h"
#include "QelRenderer/Texture.h"
#include "QelSceneManager/QelSceneManager.h"
#include "QelScripting/Bindings.h"
#include "QelScripting/ComponentEditor.h"
#include "data/AssetManager.h"

namespace Qel {

namespace {

using namespace Bindings;

/// The colour look-up-table pass on for anything but nil and false.
int useLUT(lua_State* L, int first, SceneLighting& lighting) {
    lighting.isLUT = LuaArgs::truthAt(L, first);
    return 0;
}

/// Makes a loaded texture the look-up table; true when it was one.
int setLUT(lua_State* L, int first, SceneLighting& lighting) {
    const std::optional<std::string_view> name = LuaArgs::stringAt(L, first);
    AssetManager* assets = AssetManager::instance();
    Registry<Texture>* textures = assets ? assets->findRegistry<Texture>() : nullptr;
    const bool loaded = name && GraphicsEngine::instance() && textures && textures->get(hashName(*name));
    if (loaded) lighting.lutName = *name;
    lua_pushboolean(L, loaded);
    return 1;
}

constexpr EditorAction<SceneLighting> kActions[] = {
    {"useLUT", useLUT},
    {"setLUT", setLUT},
};

} // namespace

int GOScript_editGraphics(lua_State* L) {
    if (lua_gettop(L) < 1) {
        log(LOG_CRITICAL, "[LUA] | GOScript_Graphics expects at least 2 argument");
        return 0;
    }
    // The settings belong to the current scene; the scene manager lives as long as the engine.
    SceneManager* scenes = SceneManager::instance();
    if (!scenes) {
        log(LOG_CRITICAL, "[LUA] | GOScript_Graphics no scene is loaded");
        return 0;
    }
    return runAction<SceneLighting>(L, 1, "GOScript_Graphics", kActions, scenes->lighting);
}

} // namespace Qel
