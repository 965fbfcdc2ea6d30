#include "ECS/Component/Components/ComponentReaders.h"

namespace Qel {

template <> Button readComponent<Button>(const JSONArr::iter& object) {
    Button button;
    readFloats(object, "color", "RGBA", button.color);
    readFloats(object, "hoverColor", "RGBA", button.hoverColor);
    readFloats(object, "clickColor", "RGBA", button.clickColor);
    object.get("OnClick", button.OnClick);
    return button;
}

} // namespace Qel
