#version 450 core
// One axis of a separable Gaussian blur. The blur runs in the lower-left eighth-size region of the
// ping-pong targets (a sixty-fourth of the pixels of a full-size blur); the first pass reads the
// full-size bright target and shrinks it on the way. Ten passes of sigma 8 window pixels make a
// glow of sigma 18 pixels, whatever the region's size. The first pass is a program of its own,
// built with SHRINKING defined: a software rasteriser would take both passes' taps behind a branch.

uniform sampler2D uTexture2D;
uniform bool uIsHorizontal;
// Share of the source texture the pass reads: (1, 1) for the full-size bright target (the
// shrinking pass), the blur region's share of the ping-pong texture otherwise.
uniform vec2 uSourceRegion;

in vec2 vUV;

out vec4 fragColor;

const float kShrink = 8.0; // RenderTargets::kBloomShrink
// Weights exp(-i² / 2) of taps 0, 1 and 2 on each side: sigma 1 blur-region texel.
const float kNear = 0.6065307;
const float kFar = 0.1353353;
const float kTotal = 1.0 + 2.0 * (kNear + kFar);
// Later passes read the blur region texel for texel, so the two taps on a side are one bilinear
// fetch between them, weighted by their sum.
const float kPairOffset = 1.0 + kFar / (kNear + kFar);

void main() {
    vec2 sourceTexel = 1.0 / vec2(textureSize(uTexture2D, 0));
    vec2 uv = vUV * uSourceRegion;
    // Taps stay inside the region: texels beyond it hold nothing of this frame.
    vec2 lowest = 0.5 * sourceTexel;
    vec2 highest = uSourceRegion - 0.5 * sourceTexel;
    vec3 sum = texture(uTexture2D, uv).rgb;

#ifdef SHRINKING
    {
        // One step is one texel of the blur region, kShrink of the full-size source.
        vec2 regionTexel = sourceTexel * kShrink;
        vec2 step = uIsHorizontal ? vec2(regionTexel.x, 0.0) : vec2(0.0, regionTexel.y);
        sum += kNear * (texture(uTexture2D, clamp(uv + step, lowest, highest)).rgb +
                        texture(uTexture2D, clamp(uv - step, lowest, highest)).rgb);
        sum += kFar * (texture(uTexture2D, clamp(uv + 2.0 * step, lowest, highest)).rgb +
                       texture(uTexture2D, clamp(uv - 2.0 * step, lowest, highest)).rgb);
    }
#else
    {
        vec2 step = (uIsHorizontal ? vec2(sourceTexel.x, 0.0) : vec2(0.0, sourceTexel.y)) * kPairOffset;
        sum += (kNear + kFar) * (texture(uTexture2D, clamp(uv + step, lowest, highest)).rgb +
                                 texture(uTexture2D, clamp(uv - step, lowest, highest)).rgb);
    }
#endif
    fragColor = vec4(sum / kTotal, 1.0);
}
