#include "QelRenderer/Font.h"

#include "QelCore/LogManager.h"
#include "QelRenderer/GreyGlyph.h"

#include <GL/glew.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cstdio>
#include <limits>
#include <optional>
#include <utility>

namespace Qel {

namespace {

/// Uploads one glyph as a single-channel texture and returns its GL name.
GLuint uploadGlyph(const GreyGlyph& glyph) {
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RED, glyph.width, glyph.rows, 0, GL_RED, GL_UNSIGNED_BYTE,
                 glyph.pixels.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    return texture;
}

} // namespace

Font::Font(const char* path) {
    glyphs.rehash(8);
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0) {
        std::puts("ERROR::FREETYPE: Could not init FreeType Library");
        return;
    }
    FT_Face face = nullptr;
    if (FT_New_Face(library, path, 0, &face) != 0) {
        std::puts("ERROR::FREETYPE: Failed to load font");
        logf(LOG_HIGH, "font without glyphs: %s", path);
        FT_Done_FreeType(library);
        return;
    }
    FT_Set_Pixel_Sizes(face, kPixelSize, 0);
    // Glyphs go up as one byte per pixel with rows of any length.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);

    int maxTop = std::numeric_limits<int>::min();
    int maxDescent = std::numeric_limits<int>::min();
    for (unsigned char c = 0; c < 128; ++c) {
        if (FT_Load_Char(face, c, FT_LOAD_RENDER) != 0) {
            std::puts("ERROR::FREETYTPE: Failed to load Glyph");
            continue;
        }
        const FT_GlyphSlot slot = face->glyph;
        // Embedded strikes may be 1-bit and colour fonts 32-bit: only 8-bit grey may go up.
        const std::optional<GreyGlyph> grey = toGreyGlyph(library, slot->bitmap);
        if (!grey) {
            std::puts("ERROR::FREETYTPE: Failed to load Glyph");
            continue;
        }
        Glyph glyph;
        glyph.texture = uploadGlyph(*grey);
        glyph.size = {grey->width, grey->rows};
        glyph.bearing = {slot->bitmap_left, slot->bitmap_top};
        glyph.advance = slot->advance.x;
        glyphs.insert_or_assign(c, glyph);
        maxTop = std::max(maxTop, glyph.bearing.y);
        maxDescent = std::max(maxDescent, glyph.size.y - glyph.bearing.y);
    }
    if (!glyphs.empty()) verticalOffset = static_cast<float>(maxTop - maxDescent);
    FT_Done_Face(face);
    FT_Done_FreeType(library);
}

Font::~Font() {
    release();
}

Font::Font(Font&& other) noexcept
    : glyphs(std::exchange(other.glyphs, {})), verticalOffset(other.verticalOffset) {}

Font& Font::operator=(Font&& other) noexcept {
    if (this != &other) {
        release();
        glyphs = std::exchange(other.glyphs, {});
        verticalOffset = other.verticalOffset;
    }
    return *this;
}

const Glyph* Font::findGlyph(unsigned char c) const {
    const auto found = glyphs.find(c);
    return found == glyphs.end() ? nullptr : &found->second;
}

void Font::release() {
    for (auto& [code, glyph] : glyphs)
        glDeleteTextures(1, &glyph.texture);
    glyphs.clear();
}

} // namespace Qel
