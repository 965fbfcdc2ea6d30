// Previews: the generated scenes composed the way the game draws them, to look at while making
// content. UI scenes at 1280 x 720 with the engine's text layout; the level from above, roughly lit.
#include "Content.h"

#include <algorithm>
#include <cmath>
#include <iostream>
#include <map>
#include <vector>

namespace ContentGen {

namespace {

constexpr int kScreenW = 1280;
constexpr int kScreenH = 720;

/// A scene object with its prefab's components overridden by its own, as the scene loader does.
struct Resolved {
    std::string name;
    bool disabled = false;
    std::map<std::string, JsonValue> components;

    double number(const char* component, const char* key, double fallback) const {
        auto found = components.find(component);
        if (found == components.end()) return fallback;
        const JsonValue* value = found->second.find(key);
        return value ? value->asNumber(fallback) : fallback;
    }
    std::string string(const char* component, const char* key) const {
        auto found = components.find(component);
        const JsonValue* value = found == components.end() ? nullptr : found->second.find(key);
        return value ? value->asString() : std::string();
    }
    bool has(const char* component) const { return components.contains(component); }
};

std::vector<Resolved> resolveObjects(const Content& content, const JsonValue& scene) {
    std::vector<Resolved> out;
    const JsonValue* objects = scene.find("Scene") ? scene.find("Scene")->find("gameObjects") : nullptr;
    if (!objects) return out;
    for (const JsonValue& object : objects->elements()) {
        Resolved resolved;
        if (const JsonValue* name = object.find("name")) resolved.name = name->asString();
        if (const JsonValue* disabled = object.find("disabled")) resolved.disabled = disabled->asBool();
        if (const JsonValue* prefab = object.find("prefab")) {
            auto found = content.prefabs.find(prefab->asString());
            if (found != content.prefabs.end())
                for (const JsonValue& type : found->second.find("component")->find("types")->elements())
                    resolved.components[type.find("name")->asString()] = type;
        }
        if (const JsonValue* components = object.find("components"))
            for (const JsonValue& component : components->elements())
                resolved.components[component.find("name")->asString()] = component;
        out.push_back(std::move(resolved));
    }
    return out;
}

Rgba tinted(Rgba texel, double r, double g, double b, double a) {
    const auto scale = [](uint8_t c, double f) {
        return static_cast<uint8_t>(std::clamp(c * f, 0.0, 255.0));
    };
    return {scale(texel.r, r), scale(texel.g, g), scale(texel.b, b), scale(texel.a, a)};
}

/// Draws the uv rectangle of texture into the screen rectangle (left, top, width, height).
void drawQuad(Image& target, const Image& texture, double left, double top, double width, double height,
              double u0, double v0, double du, double dv, const Resolved& object, const char* colourOf) {
    const double r = object.number(colourOf, "colorR", 1.0), g = object.number(colourOf, "colorG", 1.0);
    const double b = object.number(colourOf, "colorB", 1.0), a = object.number(colourOf, "colorA", 1.0);
    for (int py = static_cast<int>(std::floor(top)); py < static_cast<int>(std::ceil(top + height)); ++py) {
        for (int px = static_cast<int>(std::floor(left)); px < static_cast<int>(std::ceil(left + width));
             ++px) {
            const double u = u0 + (px + 0.5 - left) / width * du;
            // Textures load bottom-up, so v grows towards the top of the picture.
            const double v = v0 + (1.0 - (py + 0.5 - top) / height) * dv;
            if (u < u0 || v < v0 || u > u0 + du || v > v0 + dv) continue;
            const int tx = std::clamp(static_cast<int>(u * texture.width()), 0, texture.width() - 1);
            const int ty =
                std::clamp(static_cast<int>((1.0 - v) * texture.height()), 0, texture.height() - 1);
            target.blend(px, py, tinted(texture.get(tx, ty), r, g, b, a));
        }
    }
}

/// The engine's text layout (alignment cells, line steps, advances), drawn with its 50-pixel glyphs.
void drawText(Image& target, const FontRasterizer& font, const Resolved& object) {
    const std::string content = object.string("Text", "text");
    const double kx = kScreenW / 2.0 / 1280.0, ky = kScreenH / 2.0 / 720.0;
    const double scale = object.number("Text", "size", 24) * std::sqrt(kx * kx + ky * ky) / 50.0;
    const double lineStep = scale * font.engineVerticalOffset();
    const double width = object.number("UITransform", "width", 100.0);
    const double height = object.number("UITransform", "height", 100.0);
    double x = kx * object.number("UITransform", "positionX", 0.0);
    double y = ky * object.number("UITransform", "positionY", 0.0);
    const int alignment = static_cast<int>(object.number("Text", "alignment", 0));
    const int row = alignment / 3, column = alignment % 3;

    std::vector<std::string> lines(1);
    for (char c : content) {
        if (c == '\n')
            lines.emplace_back();
        else
            lines.back() += c;
    }
    const auto advance = [&](unsigned char c) {
        const FontRasterizer::Glyph* glyph = font.engineGlyph(c);
        return glyph ? static_cast<long>(glyph->advance * scale) >> 6 : 0L;
    };
    const double blockHeight = lineStep + 2.0 * lineStep * static_cast<double>(lines.size() - 1);
    if (row == 0) y += 0.5 * ky * height - lineStep;
    if (row == 1) y += 0.5 * blockHeight - lineStep;
    if (row == 2) y -= (0.5 * ky * height + lineStep) - blockHeight;
    if (column == 0) x -= 0.5 * kx * width;
    if (column == 2) x += 0.5 * kx * width;

    const double r = object.number("Text", "colorR", 1.0), g = object.number("Text", "colorG", 1.0);
    const double b = object.number("Text", "colorB", 1.0), a = object.number("Text", "colorA", 1.0);
    for (const std::string& line : lines) {
        long lineWidth = 0;
        for (unsigned char c : line)
            lineWidth += advance(c);
        double pen = column == 0 ? x : (column == 1 ? x - 0.5 * lineWidth : x - lineWidth);
        for (unsigned char c : line) {
            const FontRasterizer::Glyph* glyph = font.engineGlyph(c);
            if (!glyph) continue;
            const double left = kScreenW / 2.0 + pen + glyph->left * scale;
            const double top = kScreenH / 2.0 - (y + glyph->top * scale);
            const int w = static_cast<int>(std::ceil(glyph->coverage.width() * scale));
            const int h = static_cast<int>(std::ceil(glyph->coverage.height() * scale));
            for (int py = 0; py < h; ++py)
                for (int px = 0; px < w; ++px) {
                    const uint8_t coverage =
                        glyph->coverage.get(static_cast<int>(px / scale), static_cast<int>(py / scale)).a;
                    target.blend(static_cast<int>(left) + px, static_cast<int>(top) + py,
                                 tinted({255, 255, 255, 255}, r, g, b, a), coverage / 255.0f);
                }
            pen += advance(c);
        }
        y -= 2.0 * lineStep;
    }
}

Image previewUi(const Content& content, const JsonValue& scene, bool showHidden) {
    Image screen(kScreenW, kScreenH, {0, 0, 0, 255});
    std::vector<Resolved> objects = resolveObjects(content, scene);
    std::stable_sort(objects.begin(), objects.end(), [](const Resolved& a, const Resolved& b) {
        return a.number("UITransform", "layer", 0) < b.number("UITransform", "layer", 0);
    });
    for (const Resolved& object : objects) {
        if (!object.has("UITransform") || object.has("Transform") || (object.disabled && !showHidden))
            continue;
        const double w = 0.5 * object.number("UITransform", "width", 100.0);
        const double h = 0.5 * object.number("UITransform", "height", 100.0);
        const double cx = kScreenW / 2.0 + 0.5 * object.number("UITransform", "positionX", 0.0);
        const double cy = kScreenH / 2.0 - 0.5 * object.number("UITransform", "positionY", 0.0);
        auto texture = content.textures.find(object.string("SpriteRenderer", "texture"));
        if (texture != content.textures.end())
            drawQuad(screen, texture->second, cx - w / 2, cy - h / 2, w, h, 0, 0, 1, 1, object,
                     "SpriteRenderer");
        if (object.has("Text")) drawText(screen, content.font, object);
    }
    return screen;
}

/// The whole level from above at 16 pixels per unit, sprites lit by ambient and point lights.
Image previewWorld(const Content& content, const JsonValue& scene) {
    constexpr double kPixelsPerUnit = 16.0;
    const JsonValue* bounds = scene.find("Scene")->find("NodeManager")->find("boundaries");
    const double worldW = bounds->elements()[2].find("Bounds")->asNumber();
    const double worldH = bounds->elements()[3].find("Bounds")->asNumber();
    Image world(static_cast<int>(worldW * kPixelsPerUnit), static_cast<int>(worldH * kPixelsPerUnit),
                {0, 0, 0, 255});
    std::vector<Resolved> objects = resolveObjects(content, scene);
    std::stable_sort(objects.begin(), objects.end(), [](const Resolved& a, const Resolved& b) {
        return a.number("SpriteRenderer", "layerNum", 0) < b.number("SpriteRenderer", "layerNum", 0);
    });
    for (const Resolved& object : objects) {
        auto texture = content.textures.find(object.string("SpriteRenderer", "texture"));
        if (object.disabled || !object.has("Transform") || texture == content.textures.end()) continue;
        const double sx = object.number("Transform", "scaleX", 1.0) * kPixelsPerUnit;
        const double sy = object.number("Transform", "scaleY", 1.0) * kPixelsPerUnit;
        const double cx = object.number("Transform", "positionX", 0.0) * kPixelsPerUnit;
        const double cy = world.height() - object.number("Transform", "positionY", 0.0) * kPixelsPerUnit;
        drawQuad(world, texture->second, cx - sx / 2, cy - sy / 2, sx, sy,
                 object.number("SpriteRenderer", "uvOffsetX", 0.0),
                 object.number("SpriteRenderer", "uvOffsetY", 0.0),
                 object.number("SpriteRenderer", "uvSizeX", 1.0),
                 object.number("SpriteRenderer", "uvSizeY", 1.0), object, "SpriteRenderer");
    }
    const JsonValue* lighting = scene.find("Scene")->find("lighting");
    const double ambientW = lighting->find("ambientW")->asNumber();
    const double ambient[3] = {lighting->find("ambientX")->asNumber() * ambientW,
                               lighting->find("ambientY")->asNumber() * ambientW,
                               lighting->find("ambientZ")->asNumber() * ambientW};
    struct PointLight {
        double x, y, range, intensity, colour[3];
    };
    std::vector<PointLight> lights;
    for (const Resolved& object : objects) {
        if (object.disabled || !object.has("Light")) continue;
        lights.push_back({object.number("Transform", "positionX", 0.0),
                          object.number("Transform", "positionY", 0.0),
                          object.number("Light", "range", 5.0),
                          object.number("Light", "intensity", 1.0),
                          {object.number("Light", "colorR", 1.0), object.number("Light", "colorG", 1.0),
                           object.number("Light", "colorB", 1.0)}});
    }
    Image lit = world;
    for (int py = 0; py < world.height(); ++py) {
        for (int px = 0; px < world.width(); ++px) {
            double light[3] = {ambient[0], ambient[1], ambient[2]};
            for (const PointLight& source : lights) {
                const double dx = (px + 0.5) / kPixelsPerUnit - source.x;
                const double dy = (world.height() - py - 0.5) / kPixelsPerUnit - source.y;
                const double falloff = std::max(0.0, 1.0 - std::hypot(dx, dy) / source.range);
                for (int c = 0; c < 3; ++c)
                    light[c] += source.colour[c] * source.intensity * falloff * falloff;
            }
            lit.set(px, py, tinted(world.get(px, py), light[0], light[1], light[2], 1.0));
        }
    }
    return lit.scaled(2);
}

} // namespace

void writePreviews(const Content& content, const std::filesystem::path& folder) {
    const auto save = [&](const Image& image, const char* name) {
        if (!image.writePng(folder / name)) std::cerr << "contentgen: cannot write preview " << name << '\n';
    };
    save(previewUi(content, content.scenes.at("MainMenu.json"), false), "MainMenu.png");
    save(previewUi(content, content.scenes.at("MainMenu.json"), true), "MainMenu_panels.png");
    save(previewUi(content, content.scenes.at("Credits.json"), false), "Credits.png");
    save(previewWorld(content, content.scenes.at("Introlevel_Scripted.json")), "Introlevel.png");
    save(previewWorld(content, content.scenes.at("Deeplevel.json")), "Deeplevel.png");
}

} // namespace ContentGen
