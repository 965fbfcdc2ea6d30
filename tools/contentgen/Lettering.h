#pragma once

#include "FontRasterizer.h"
#include "Image.h"

#include <string_view>

namespace ContentGen {

/// Text in one flat colour on a transparent picture, with `margin` free pixels on every side.
Image flatLettering(const FontRasterizer& font, std::string_view text, int pixelSize, Rgba colour,
                    int margin);

/// The game's title lettering: ember gradient fill, a dark rim and a faint outer glow, on a
/// transparent picture.
Image emberLettering(const FontRasterizer& font, std::string_view text, int pixelSize);

/// Copies source into target so that source's centre lands on (cx, cy).
void drawCentred(Image& target, const Image& source, int cx, int cy);

} // namespace ContentGen
