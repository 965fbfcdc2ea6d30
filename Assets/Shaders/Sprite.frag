#version 450 core
// Built into three programs by what the loader defines first:
//   LIT            lit into the linear RGBA16F scene targets: sprites without emission, shadows;
//   LIT, GLOWING   the same plus the sprite's emission texture;
//   neither        display-ready colour straight to the window: light masks and particles.
// A software rasteriser runs both sides of every branch for every fragment, so a choice made per
// fragment costs both ways while one made per draw costs nothing: each program holds only the
// work its draws need (a light mask path and an emission sample in every sprite's fragment once
// cost a third of a frame with a few thousand sprites).

struct PackedLight {
    vec4 position; // world x, y; height above the sprite plane
    vec4 color;    // linear rgb
    vec4 params;   // range, intensity, attenuation
};

layout(std140, binding = 0) uniform Lights {
    PackedLight uLights[20];
};

uniform sampler2D uTexture2D[32];
uniform vec3 uAmbientColor;

in vec2 vUV;
in vec2 vWorld;
in vec4 vColor;
flat in vec4 vSlots;
in float vAlphaFactor;
flat in uint vLightMask;

layout(location = 0) out vec4 outColor;
layout(location = 1) out vec4 outBright;

// Scene brightness above which light spills into the bloom target.
const float kBloomThreshold = 1.0;
const vec3 kLuma = vec3(0.2126, 0.7152, 0.0722);

// The batch binds each texture of a draw to its own unit and every instance names its unit, so the
// index is constant across an instance's fragments. Indexing the array directly lets a software
// rasteriser sample one texture per fragment; a constant-case switch made it sample all 32
// (twice the frame time with a few thousand sprites).
// Textures filter the same way up close and far away and never between mipmap levels, so level 0
// is what any derivatives would pick: reading it directly spares computing them per fragment.
vec4 sampleUnit(float slot, vec2 uv) {
    return textureLod(uTexture2D[int(slot + 0.5)], uv, 0.0);
}

// Light reaching a flat, viewer-facing surface at vWorld from one point light. Written with squared
// distances: no square root but the one the height needs.
vec3 pointLight(PackedLight light) {
    float range = light.params.x;
    vec2 toLight = light.position.xy - vWorld;
    float distSq = dot(toLight, toLight);
    if (range <= 0.0 || distSq >= range * range) return vec3(0.0);
    // Exponential fall-off (attenuation is a negative rate per squared world unit), faded to
    // exactly zero at the range so lights can be culled there without a visible edge.
    float falloff = exp(min(light.params.z, 0.0) * distSq);
    float reach = distSq / (range * range);
    float edge = 1.0 - reach * reach;
    // Height tilts the light: right under it a surface gets it all, at grazing angles half
    // (wrapped so that low lights still reach the floor).
    float height = max(light.position.z, 0.0);
    float facing = height > 0.0 ? height * inversesqrt(distSq + height * height) : 0.0;
    float wrapped = 0.5 + 0.5 * facing;
    return light.color.rgb * max(light.params.y, 0.0) * falloff * edge * edge * wrapped;
}

vec3 toDisplay(vec3 linear) {
    return pow(clamp(linear, 0.0, 1.0), vec3(1.0 / 2.2));
}

void main() {
#ifdef LIT
    vec4 albedo = sampleUnit(vSlots.x, vUV) * vColor;
    float alpha = albedo.a * vAlphaFactor;
    vec3 emission = vec3(0.0);
#ifdef GLOWING
    vec4 glow = sampleUnit(vSlots.y, vUV);
    emission = glow.rgb * glow.a * vSlots.z;
#endif

    vec3 light = uAmbientColor;
    for (uint mask = vLightMask; mask != 0u; mask &= mask - 1u)
        light += pointLight(uLights[findLSB(mask)]);

    vec3 lit = albedo.rgb * light + emission;
    float luma = dot(lit, kLuma);
    vec3 overflow = luma > kBloomThreshold ? lit * ((luma - kBloomThreshold) / luma) : vec3(0.0);
    outColor = vec4(lit, alpha);
    outBright = vec4(overflow + emission, alpha);
#else
    // Unlit, faded by the instance's alpha factor: a light mask names its texture in w, a
    // particle in x.
    vec4 texel = sampleUnit(vSlots.w >= 0.0 ? vSlots.w : vSlots.x, vUV) * vColor;
    float alpha = texel.a * vAlphaFactor;
    outColor = vec4(toDisplay(texel.rgb), alpha);
    outBright = vec4(0.0, 0.0, 0.0, alpha);
#endif
}
