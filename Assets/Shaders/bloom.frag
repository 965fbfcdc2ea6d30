#version 450 core
// One axis of a separable Gaussian blur. The blur runs in the lower-left quarter-size region of
// the ping-pong targets (a sixteenth of the pixels of a full-size blur, and a wider glow per tap);
// the first pass reads the full-size bright target and shrinks it on the way.

uniform sampler2D uTexture2D;
uniform bool uIsHorizontal;
// Share of the source texture the pass reads: (1, 1) for the full-size bright target, the blur
// region's share of the ping-pong texture otherwise.
uniform vec2 uSourceRegion;

in vec2 vUV;

out vec4 fragColor;

const int kRadius = 4;    // taps on each side, in blur-region texels
const float kSigma = 2.0; // in blur-region texels
const float kShrink = 4.0;

void main() {
    vec2 sourceTexel = 1.0 / vec2(textureSize(uTexture2D, 0));
    // One step is one texel of the blur region, whatever the source's size.
    vec2 regionTexel = uSourceRegion.x >= 1.0 ? sourceTexel * kShrink : sourceTexel;
    vec2 step = uIsHorizontal ? vec2(regionTexel.x, 0.0) : vec2(0.0, regionTexel.y);
    vec2 uv = vUV * uSourceRegion;
    // Taps stay inside the region: texels beyond it hold nothing of this frame.
    vec2 lowest = 0.5 * sourceTexel;
    vec2 highest = uSourceRegion - 0.5 * sourceTexel;

    vec3 sum = texture(uTexture2D, uv).rgb;
    float total = 1.0;
    for (int i = 1; i <= kRadius; ++i) {
        float weight = exp(-float(i * i) / (2.0 * kSigma * kSigma));
        sum += weight * (texture(uTexture2D, clamp(uv + step * float(i), lowest, highest)).rgb +
                         texture(uTexture2D, clamp(uv - step * float(i), lowest, highest)).rgb);
        total += 2.0 * weight;
    }
    fragColor = vec4(sum / total, 1.0);
}
