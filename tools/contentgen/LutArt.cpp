// The colour-grading look-up table "SepiaLUT16": 16 x 16 x 16 samples in a 256 x 16 strip.
#include "Content.h"

#include <algorithm>
#include <cmath>

namespace ContentGen {

namespace {

constexpr int kSteps = 16;
/// How far the grade moves from the identity towards full sepia.
constexpr double kSepiaStrength = 0.75;

Rgba sepiaGrade(double r, double g, double b) {
    const double sepia[3] = {0.393 * r + 0.769 * g + 0.189 * b, 0.349 * r + 0.686 * g + 0.168 * b,
                             0.272 * r + 0.534 * g + 0.131 * b};
    const double identity[3] = {r, g, b};
    uint8_t out[3];
    for (int i = 0; i < 3; ++i) {
        const double value = identity[i] + (sepia[i] - identity[i]) * kSepiaStrength;
        out[i] = static_cast<uint8_t>(std::lround(std::clamp(value, 0.0, 1.0) * 255.0));
    }
    return {out[0], out[1], out[2], 255};
}

} // namespace

void makeLut(Content& content) {
    // Block index = blue, x within a block = red, green grows upward (the bottom row is green 0).
    Image lut(kSteps * kSteps, kSteps);
    for (int blue = 0; blue < kSteps; ++blue)
        for (int green = 0; green < kSteps; ++green)
            for (int red = 0; red < kSteps; ++red)
                lut.set(blue * kSteps + red, kSteps - 1 - green,
                        sepiaGrade(red / 15.0, green / 15.0, blue / 15.0));
    TextureOptions options;
    options.pixelArt = false;
    options.sRGB = false;
    options.wrap = "clampToEdge";
    content.saveTexture("Art", "SepiaLUT16", lut, options);
}

} // namespace ContentGen
