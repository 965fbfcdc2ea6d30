#pragma once

#include "Image.h"

namespace ContentGen {

/// Drawing primitives for pixel art: every shape is hard-edged unless it says otherwise.
void fillRect(Image& image, int x, int y, int width, int height, Rgba colour);
void strokeRect(Image& image, int x, int y, int width, int height, Rgba colour);
void line(Image& image, int x0, int y0, int x1, int y1, Rgba colour);
/// Pixels whose centre lies inside the ellipse centred on (cx, cy), radii in pixels.
void fillEllipse(Image& image, float cx, float cy, float rx, float ry, Rgba colour);
/// A one-pixel rim on the transparent pixels that touch opaque ones (four neighbours).
void outline(Image& image, Rgba colour);
/// Soft radial light: alpha falls from strength at the centre to 0 at radius.
void glow(Image& image, float cx, float cy, float radius, Rgba colour, float strength);
/// Chooses a or b by a 4 x 4 ordered-dither threshold, so a gradient stays within the palette.
Rgba dither(int x, int y, Rgba a, Rgba b, float t);
/// Vertical gradient from top to bottom colour over the rectangle, dithered.
void ditherGradient(Image& image, int x, int y, int width, int height, Rgba top, Rgba bottom);

} // namespace ContentGen
