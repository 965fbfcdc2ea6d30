#include "ECS/Components/SpriteRenderer.h"
#include "QelRenderer/Texture.h"
#include "QelScripting/Bindings.h"
#include "QelScripting/ComponentEditor.h"
#include "data/AssetManager.h"

#include <string>

namespace Qel {

namespace {

using namespace Bindings;
using Sprite = SpriteRenderer;

/// A loaded texture by name; a non-string clears it. An unknown name is logged and changes
/// nothing, so a misspelt name leaves the sprite as it was.
int setTexture(lua_State* L, int first, Sprite& sprite) {
    const std::optional<std::string_view> name = LuaArgs::stringAt(L, first);
    if (!name) {
        sprite.texture = nullptr;
        return 0;
    }
    AssetManager* assets = AssetManager::instance();
    Registry<Texture>* textures = assets ? assets->findRegistry<Texture>() : nullptr;
    if (Texture* texture = textures ? textures->get(hashName(*name)) : nullptr) {
        sprite.texture = texture;
    } else {
        logf(LOG_CRITICAL, "[LUA] | GOScript_SpriteRenderer texture \"%s\" unavailable",
             std::string(*name).c_str());
    }
    return 0;
}

constexpr EditorAction<Sprite> kActions[] = {
    {"setTexture", setTexture},
    {"setUVSize", setVector<Sprite, glm::vec2, &Sprite::uvSize>},
    {"getUVSize", getVector<Sprite, glm::vec2, &Sprite::uvSize>},
    {"setUVOffset", setVector<Sprite, glm::vec2, &Sprite::uvOffset>},
    {"getUVOffset", getVector<Sprite, glm::vec2, &Sprite::uvOffset>},
    {"setColor", setColor<Sprite, &Sprite::color>},
    {"getColor", getVector<Sprite, glm::vec4, &Sprite::color>},
    {"setLayer", setInt<Sprite, &Sprite::layerNum>},
    {"getLayer", getInt<Sprite, &Sprite::layerNum>},
};

} // namespace

int GOScript_editSpriteRenderer(lua_State* L) {
    return editComponent<Sprite>(L, "GOScript_SpriteRenderer", kActions);
}

} // namespace Qel
