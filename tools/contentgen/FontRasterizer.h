#pragma once

#include "Image.h"

#include <array>
#include <filesystem>
#include <optional>
#include <string_view>

namespace ContentGen {

/// Text in our UI font through FreeType: logo lettering at any size, and the 50-pixel glyph set
/// the engine itself renders from, so previews lay text out the way the game does.
class FontRasterizer {
public:
    /// One glyph as the engine sees it: coverage bitmap, bearings in pixels, advance in 1/64 px.
    struct Glyph {
        Image coverage;
        int left = 0;
        int top = 0;
        long advance = 0;
    };

    static constexpr int kEngineGlyphPixels = 50;

    /// Loads the font file; ok() tells whether it could.
    explicit FontRasterizer(const std::filesystem::path& fontFile);
    ~FontRasterizer();
    FontRasterizer(const FontRasterizer&) = delete;
    FontRasterizer& operator=(const FontRasterizer&) = delete;

    bool ok() const { return face != nullptr; }

    /// One line of text at pixelSize, white with coverage as alpha, cropped to the inked pixels.
    Image render(std::string_view text, int pixelSize) const;

    /// The engine's glyph for a byte, or null when it has none (codes above 127).
    const Glyph* engineGlyph(unsigned char code) const;
    /// Largest top bearing minus largest descent over the engine's glyphs, as the engine computes it.
    float engineVerticalOffset() const { return verticalOffset; }

private:
    void* library = nullptr;
    void* face = nullptr;
    std::array<std::optional<Glyph>, 128> glyphs;
    float verticalOffset = 0.0f;
};

} // namespace ContentGen
