#include "ComponentJson.h"

namespace ContentGen {

namespace {

void setColour(JsonValue& component, const std::string& prefix, Colour4 colour) {
    component.set(prefix + "R", colour.r).set(prefix + "G", colour.g).set(prefix + "B", colour.b);
    component.set(prefix + "A", colour.a);
}

} // namespace

JsonValue transformAt(double x, double y) {
    return JsonValue::component("Transform").set("positionX", x).set("positionY", y);
}

JsonValue transformAt(double x, double y, double scaleX, double scaleY) {
    return transformAt(x, y).set("scaleX", scaleX).set("scaleY", scaleY);
}

JsonValue uiTransform(const UiBox& box) {
    return JsonValue::component("UITransform")
        .set("positionX", box.x)
        .set("positionY", box.y)
        .set("width", box.width)
        .set("height", box.height)
        .set("layer", box.layer);
}

JsonValue sprite(const char* texture, int layerNum, int frame, int frames) {
    JsonValue component =
        JsonValue::component("SpriteRenderer").set("texture", texture).set("layerNum", layerNum);
    if (frames > 1) {
        component.set("uvOffsetX", static_cast<double>(frame) / frames).set("uvOffsetY", 0.0);
        component.set("uvSizeX", 1.0 / frames).set("uvSizeY", 1.0);
    }
    return component;
}

JsonValue uiImage(const char* texture, Colour4 colour) {
    JsonValue component = JsonValue::component("SpriteRenderer").set("texture", texture);
    setColour(component, "color", colour);
    return component;
}

JsonValue text(const std::string& content, int size, Colour4 colour, int alignment) {
    JsonValue component =
        JsonValue::component("Text").set("text", content).set("font", kUiFont).set("size", size);
    setColour(component, "color", colour);
    component.set("alignment", alignment);
    return component;
}

JsonValue goScripts(std::initializer_list<const char*> files) {
    JsonValue scripts = JsonValue::array();
    for (const char* file : files)
        scripts.push(JsonValue::object().set("file", file));
    return JsonValue::component("GOScripts").set("scripts", std::move(scripts)).set("canBuild", true);
}

JsonValue button(const std::string& onClick) {
    JsonValue component = JsonValue::component("Button");
    setColour(component, "color", {1.0, 1.0, 1.0, 1.0});
    setColour(component, "hoverColor", {1.0, 1.0, 1.0, 1.0});
    // Shown while the cursor is over the button: the slab warms up.
    setColour(component, "clickColor", {1.0, 0.78, 0.55, 1.0});
    component.set("OnClick", onClick);
    return component;
}

JsonValue gameObject(const std::string& prefab, const std::string& name, JsonValue components,
                     bool disabled) {
    JsonValue object = JsonValue::object();
    if (!prefab.empty()) object.set("prefab", prefab);
    object.set("name", name).set("components", std::move(components));
    if (disabled) object.set("disabled", true);
    return object;
}

JsonValue particleEmitter(const EmitterLook& look) {
    JsonValue emitter = JsonValue::component("ParticleEmitter");
    const auto range = [&emitter](const std::string& key, const double(&ends)[2]) {
        emitter.set(key + "L", ends[0]).set(key + "H", ends[1]);
    };
    emitter.set("texture", look.texture)
        .set("looping", look.looping)
        .set("activeOnStart", look.activeOnStart)
        .set("colorScaleByMultiplication", true)
        .set("duration", look.duration)
        .set("emissionRate", look.rate);
    range("lifetime", look.lifetime);
    range("speed", look.speed);
    range("size", look.size);
    range("rotation", look.direction);
    range("colorR", look.red);
    range("colorG", look.green);
    range("colorB", look.blue);
    emitter.set("colorA", look.alpha);
    range("sizeScale", look.sizeScale);
    range("speedScale", look.speedScale);
    emitter.set("rotationScale", 0.0);
    range("colorScaleA", look.fade);
    return emitter;
}

} // namespace ContentGen
