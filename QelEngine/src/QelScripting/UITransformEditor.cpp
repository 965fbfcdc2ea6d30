#include "ECS/Components/UITransform.h"
#include "QelScripting/Bindings.h"
#include "QelScripting/ComponentEditor.h"

namespace Qel {

namespace {

using namespace Bindings;
using UI = UITransform;

/// x and y; z only when given as a number.
int setScale(lua_State* L, int first, UI& ui) {
    const std::optional<glm::vec2> xy = numbersAt<2>(L, first);
    if (!xy) return kBadArguments;
    ui.scale = glm::vec3(*xy, LuaArgs::numberAt(L, first + 2).value_or(ui.scale.z));
    return 0;
}

int setSize(lua_State* L, int first, UI& ui) {
    const std::optional<glm::vec2> size = numbersAt<2>(L, first);
    if (!size) return kBadArguments;
    ui.width = size->x;
    ui.height = size->y;
    return 0;
}

int getSize(lua_State* L, int, UI& ui) {
    lua_pushnumber(L, ui.width);
    lua_pushnumber(L, ui.height);
    return 2;
}

constexpr EditorAction<UI> kActions[] = {
    {"setPosition", setVector<UI, glm::vec3, &UI::position>},
    {"getPosition", getVector<UI, glm::vec3, &UI::position>},
    {"setScale", setScale},
    {"getScale", getVector<UI, glm::vec3, &UI::scale>},
    {"setRotation", setFloat<UI, &UI::rotation>},
    {"getRotation", getFloat<UI, &UI::rotation>},
    {"setSize", setSize},
    {"getSize", getSize},
    {"setPivot", setVector<UI, glm::vec2, &UI::pivot>},
    {"getPivot", getVector<UI, glm::vec2, &UI::pivot>},
    {"setAnchorMin", setVector<UI, glm::vec2, &UI::anchorMin>},
    {"getAnchorMin", getVector<UI, glm::vec2, &UI::anchorMin>},
    {"setAnchorMax", setVector<UI, glm::vec2, &UI::anchorMax>},
    {"getAnchorMax", getVector<UI, glm::vec2, &UI::anchorMax>},
    {"setLayer", setInt<UI, &UI::layer>},
    {"getLayer", getInt<UI, &UI::layer>},
};

} // namespace

int GOScript_editUITransform(lua_State* L) {
    return editComponent<UI>(L, "GOScript_UITransform", kActions);
}

} // namespace Qel
