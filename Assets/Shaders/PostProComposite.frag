#version 450 core
// Scene plus bloom, tone-mapped and gamma-encoded for the window; built a second time with GRADED
// defined, which then grades it through a 16-step colour look-up table (a program of its own: a
// software rasteriser would pay for the table's two lookups on every pixel behind a branch too).

uniform sampler2D uTexture2D;    // linear scene colour, the window's size, nearest filtering
uniform sampler2D uBloomTexture; // blurred bright light, linear, in a corner region of the texture
uniform vec2 uBloomRegion;       // that region's share of the bloom texture

in vec2 vUV;

out vec4 fragColor;

// Below the knee colours pass unchanged, so unlit scenes keep their authored look; above it the
// brightest channel is rolled off towards 1 and the others follow, which keeps the hue.
const float kKnee = 0.8;

// (A selected factor rather than an early return: the rasteriser computes both sides anyway.)
vec3 toneMap(vec3 hdr) {
    float peak = max(max(hdr.r, hdr.g), hdr.b);
    float span = 1.0 - kKnee;
    float mapped = kKnee + span * (1.0 - exp(-(peak - kKnee) / span));
    return max(hdr, vec3(0.0)) * (peak > kKnee ? mapped / peak : 1.0);
}

#ifdef GRADED
uniform sampler2D uLUT16; // 256 x 16, not sRGB: gamma-encoded in, gamma-encoded out

// 16 blocks of 16 x 16 side by side: block = blue, x in block = red, y = green (v grows with
// green). Red and green are filtered by the sampler inside a block; blue between two blocks here.
vec3 grade(vec3 color) {
    const float kSteps = 16.0;
    vec3 c = clamp(color, 0.0, 1.0) * (kSteps - 1.0);
    float lowerBlock = floor(c.b);
    float upperBlock = min(lowerBlock + 1.0, kSteps - 1.0);
    vec2 inBlock = (c.rg + 0.5) / kSteps;
    vec2 lower = vec2((lowerBlock + inBlock.x) / kSteps, inBlock.y);
    vec2 upper = vec2((upperBlock + inBlock.x) / kSteps, inBlock.y);
    return mix(textureLod(uLUT16, lower, 0.0).rgb, textureLod(uLUT16, upper, 0.0).rgb, c.b - lowerBlock);
}
#endif

void main() {
    // The scene target matches the window texel for texel. A nearest sample at the pixel's centre
    // reads the same texel as a fetch and costs a software rasteriser less.
    vec3 scene = textureLod(uTexture2D, vUV, 0.0).rgb;
    vec3 hdr = scene + texture(uBloomTexture, vUV * uBloomRegion).rgb;
    vec3 display = pow(toneMap(hdr), vec3(1.0 / 2.2));
#ifdef GRADED
    display = grade(display);
#endif
    fragColor = vec4(display, 1.0);
}
