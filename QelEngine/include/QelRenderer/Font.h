#pragma once

#include <glm/vec2.hpp>

#include <cstdint>
#include <unordered_map>

namespace Qel {

/// One rasterised character: its own small single-channel GL texture and its metrics.
struct Glyph {
    /// GL texture name.
    uint32_t texture = 0;
    /// Bitmap width and rows, pixels.
    glm::ivec2 size{0, 0};
    /// Bitmap left and top bearing, pixels.
    glm::ivec2 bearing{0, 0};
    /// Horizontal advance in 1/64 pixel, as FreeType reports it.
    long advance = 0;
};

/// A TrueType font rasterised with FreeType at kPixelSize into one GL texture per character
/// (codes 0 to 127). Owned by the Font registry; releases its textures when destroyed.
class Font {
public:
    static constexpr int kPixelSize = 50;

    /// Loads and rasterises; FreeType errors are reported and never stop the program (the font
    /// then simply lacks the glyphs that failed).
    explicit Font(const char* path);
    /// A font without glyphs, for glyphs made by hand. It still releases their textures when
    /// destroyed: clear hand-made glyphs first where no GL context exists.
    Font() = default;
    ~Font();
    Font(Font&& other) noexcept;
    Font& operator=(Font&& other) noexcept;
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    /// The glyph of character code c, or nullptr when the font has none.
    const Glyph* findGlyph(unsigned char c) const;

    std::unordered_map<unsigned char, Glyph> glyphs;
    /// Largest top bearing minus largest descent over the glyphs, pixels; the line step at size 50.
    float verticalOffset = 0.0f;

private:
    void release();
};

} // namespace Qel
