// "ScriptDemo.json": a small room whose one character is moved by its Lua script with W A S D or
// the arrow keys, under a fixed camera, so scripted movement shows on screen.
#include "CharacterArt.h"
#include "ComponentJson.h"
#include "Content.h"
#include "Prefabs.h"

#include <string>

namespace ContentGen {

void makeScriptDemo(Content& content) {
    constexpr int kHalfWidth = 6;
    constexpr int kHalfHeight = 4;
    JsonValue objects = JsonValue::array();
    for (int y = -kHalfHeight; y < kHalfHeight; ++y)
        for (int x = -kHalfWidth; x < kHalfWidth; ++x)
            objects.push(gameObject((x + y) % 2 == 0 ? "FloorA" : "FloorB",
                                    "Floor_" + std::to_string(x) + "_" + std::to_string(y),
                                    JsonValue::array().push(transformAt(x + 0.5, y + 0.5))));

    objects.push(gameObject("", "DemoCamera",
                            JsonValue::array()
                                .push(transformAt(0.0, 0.0))
                                .push(JsonValue::component("Camera")
                                          .set("clearColorR", 0.05)
                                          .set("clearColorG", 0.04)
                                          .set("clearColorB", 0.05)
                                          .set("cameraZoom", kCameraZoom))));

    objects.push(gameObject("", "Mover",
                            JsonValue::array()
                                .push(transformAt(0.0, 0.0, kCharacterWorldSize, kCharacterWorldSize))
                                .push(sprite("PlayerSheet", kPlayerLayer, 0, 8))
                                .push(goScripts({"ScriptDemo/mover", "audioFunctions", "movementInput"}))));

    JsonValue scene = JsonValue::object();
    scene.set("cursor", "Default");
    scene.set("BGM", "Music/LevelTheme");
    scene.set("gameObjects", std::move(objects));
    content.saveScene("ScriptDemo.json", JsonValue::object().set("Scene", std::move(scene)));
}

} // namespace ContentGen
