#include "ECS/Components/Text.h"
#include "QelRenderer/Font.h"
#include "QelScripting/Bindings.h"
#include "QelScripting/ComponentEditor.h"
#include "data/AssetManager.h"

#include <string>

namespace Qel {

namespace {

using namespace Bindings;

constexpr std::string_view kAlignmentNames[] = {"TopLeft", "Top",        "TopRight", "Left",       "Center",
                                                "Right",   "BottomLeft", "Bottom",   "BottomRight"};

/// A non-string empties the text.
int setText(lua_State* L, int first, Text& text) {
    text.text = LuaArgs::stringAt(L, first).value_or(std::string_view());
    return 0;
}

/// A loaded font by name; a non-string clears it; an unknown name is logged and changes nothing.
int setFont(lua_State* L, int first, Text& text) {
    const std::optional<std::string_view> name = LuaArgs::stringAt(L, first);
    if (!name) {
        text.font = nullptr;
        return 0;
    }
    AssetManager* assets = AssetManager::instance();
    Registry<Font>* fonts = assets ? assets->findRegistry<Font>() : nullptr;
    if (Font* font = fonts ? fonts->get(hashName(*name)) : nullptr) {
        text.font = font;
    } else {
        logf(LOG_CRITICAL, "[LUA] | GOScript_Text font \"%s\" unavailable", std::string(*name).c_str());
    }
    return 0;
}

/// A name of kAlignmentNames or its index; an index outside 0-8 is ignored without a word.
int setAlignment(lua_State* L, int first, Text& text) {
    if (const std::optional<std::string_view> name = LuaArgs::stringAt(L, first)) {
        const auto found = std::find(std::begin(kAlignmentNames), std::end(kAlignmentNames), *name);
        if (found != std::end(kAlignmentNames)) {
            text.alignment = static_cast<int32_t>(found - std::begin(kAlignmentNames));
            return 0;
        }
    } else if (const std::optional<lua_Integer> index = LuaArgs::integerAt(L, first)) {
        if (*index >= Text::TopLeft && *index <= Text::BottomRight)
            text.alignment = static_cast<int32_t>(*index);
        return 0;
    }
    log(LOG_CRITICAL, "[LUA] | GOScript_Text unknown alignment");
    return 0;
}

/// Mirrors through the centre: top-left and bottom-right swap, the centre stays.
int flipAlignment(lua_State*, int, Text& text) {
    text.alignment = Text::BottomRight - text.alignment;
    return 0;
}

constexpr EditorAction<Text> kActions[] = {
    {"setText", setText},
    {"setFont", setFont},
    {"setSize", setInt<Text, &Text::size>},
    {"getSize", getInt<Text, &Text::size>},
    {"setColor", setColor<Text, &Text::color>},
    {"getColor", getVector<Text, glm::vec4, &Text::color>},
    {"setAlignment", setAlignment},
    {"flipAlignment", flipAlignment},
};

} // namespace

int GOScript_editText(lua_State* L) {
    return editComponent<Text>(L, "GOScript_Text", kActions);
}

} // namespace Qel
