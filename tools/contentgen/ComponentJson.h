#pragma once

#include "JsonValue.h"
#include "Palette.h"

#include <initializer_list>
#include <string>

namespace ContentGen {

/// Component objects in the form the engine's readers take. Only the keys a call sets are
/// written; the readers give every other field its default.

/// The font every text uses.
inline constexpr const char* kUiFont = "Roboto-Modified";

/// A rectangle in UI units: the centre (0, 0 is the screen centre, +y up) and the size, on a
/// 2560 x 1440 reference screen.
struct UiBox {
    double x, y, width, height;
    int layer;
};

JsonValue transformAt(double x, double y);
JsonValue transformAt(double x, double y, double scaleX, double scaleY);
JsonValue uiTransform(const UiBox& box);
/// A world sprite showing atlas column `frame` of `frames` equal columns.
JsonValue sprite(const char* texture, int layerNum, int frame = 0, int frames = 1);
/// A UI image; colour multiplies the texture.
JsonValue uiImage(const char* texture, Colour4 colour = {1.0, 1.0, 1.0, 1.0});
/// Text in the UI font; alignment is the 3 x 3 anchor cell (4 = centred).
JsonValue text(const std::string& content, int size, Colour4 colour, int alignment);
/// A button that broadcasts onClick; the sprite takes clickColour while the cursor is over it.
JsonValue button(const std::string& onClick);
/// Scripts built as soon as the entity exists; files are names below Assets/Scripts, in load order.
JsonValue goScripts(std::initializer_list<const char*> files);

/// Particle emitter settings; every range is (low, high), scales are (birth, death).
struct EmitterLook {
    const char* texture;
    bool looping;
    bool activeOnStart;
    double duration, rate;
    double lifetime[2], speed[2], size[2], direction[2];
    /// RGB ranges and the alpha at birth.
    double red[2], green[2], blue[2], alpha;
    double sizeScale[2], speedScale[2];
    /// Alpha over life; the colour is multiplied by it.
    double fade[2];
};
/// A particle emitter whose quads never spin (rotation scale 0).
JsonValue particleEmitter(const EmitterLook& look);

/// One entry of a scene's or menu file's "gameObjects".
JsonValue gameObject(const std::string& prefab, const std::string& name, JsonValue components,
                     bool disabled = false);

} // namespace ContentGen
