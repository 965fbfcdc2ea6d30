#include "MenuParts.h"

#include "Prefabs.h"

namespace ContentGen {

JsonValue menuButton(const std::string& name, const UiBox& box, const std::string& label,
                     const std::string& onClick, bool disabled, int textSize) {
    return gameObject(kButtonPrefab, name,
                      JsonValue::array()
                          .push(uiTransform(box))
                          .push(button(onClick))
                          .push(text(label, textSize, palFloat(Pal::Bone), kCentred)),
                      disabled);
}

JsonValue panel(const std::string& name, const UiBox& box, JsonValue extra, bool disabled) {
    JsonValue components = JsonValue::array().push(uiTransform(box));
    for (const JsonValue& component : extra.elements())
        components.push(component);
    return gameObject(kPanelPrefab, name, std::move(components), disabled);
}

JsonValue textBox(const std::string& name, const UiBox& box, const std::string& content, int size,
                  Colour4 colour, int alignment, bool disabled) {
    return gameObject("", name,
                      JsonValue::array().push(uiTransform(box)).push(text(content, size, colour, alignment)),
                      disabled);
}

} // namespace ContentGen
