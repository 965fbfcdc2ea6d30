#include "ECS/Component/Components/ComponentReaders.h"

#include "QelRenderer/Font.h"

namespace Qel {

template <> Text readComponent<Text>(const JSONArr::iter& object) {
    Text text;
    object.get("text", text.text);
    object.get("size", text.size);
    text.font = readAssetReference<Font>(object, "font");
    readFloats(object, "color", "RGBA", text.color);
    int alignment = Text::TopLeft;
    object.get("alignment", alignment);
    // A number outside the grid centres the text.
    const bool inGrid = alignment >= Text::TopLeft && alignment <= Text::BottomRight;
    text.alignment = inGrid ? alignment : Text::Centre;
    return text;
}

} // namespace Qel
