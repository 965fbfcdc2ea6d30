#version 450 core
// Built into five programs by what the loader defines first:
//   LIT            lit into the linear RGBA16F scene targets: sprites without emission;
//   LIT, GLOWING   the same plus the sprite's emission texture;
//   SHADOW         drop shadows into the scene targets: black, so no light to look up;
//   SHADOW, SOLID  the same for casters whose texture is opaque throughout: no silhouette to sample;
//   none           display-ready colour straight to the window: light masks and particles.
// A software rasteriser runs both sides of every branch for every fragment, so a choice made per
// fragment costs both ways while one made per draw costs nothing: each program holds only the
// work its draws need (a light mask path and an emission sample in every sprite's fragment once
// cost a third of a frame with a few thousand sprites).

uniform sampler2D uTexture2D[31];
uniform sampler2D uLightMap;  // light reaching the sprite plane, see LightMap.frag
uniform vec2 uLightMapScale;  // window pixels to light map texture coordinates

in vec2 vUV;
in vec4 vColor;
flat in vec4 vSlots;
in float vAlphaFactor;

layout(location = 0) out vec4 outColor;
layout(location = 1) out vec4 outBright;

// Scene brightness above which light spills into the bloom target.
const float kBloomThreshold = 1.0;
const vec3 kLuma = vec3(0.2126, 0.7152, 0.0722);

// The batch binds each texture of a draw to its own unit and every instance names its unit, so the
// index is constant across an instance's fragments. Indexing the array directly lets a software
// rasteriser sample one texture per fragment; a constant-case switch made it sample all of them
// (twice the frame time with a few thousand sprites).
// Textures filter the same way up close and far away and never between mipmap levels, so level 0
// is what any derivatives would pick: reading it directly spares computing them per fragment.
vec4 sampleUnit(float slot, vec2 uv) {
    return textureLod(uTexture2D[int(slot + 0.5)], uv, 0.0);
}

vec3 toDisplay(vec3 linear) {
    return pow(clamp(linear, 0.0, 1.0), vec3(1.0 / 2.2));
}

void main() {
#if defined(SHADOW)
#ifdef SOLID
    float alpha = vColor.a * vAlphaFactor;
#else
    float alpha = sampleUnit(vSlots.x, vUV).a * vColor.a * vAlphaFactor;
#endif
    outColor = vec4(0.0, 0.0, 0.0, alpha);
    outBright = vec4(0.0, 0.0, 0.0, alpha);
#elif defined(LIT)
    vec4 albedo = sampleUnit(vSlots.x, vUV) * vColor;
    float alpha = albedo.a * vAlphaFactor;
    vec3 emission = vec3(0.0);
#ifdef GLOWING
    vec4 glow = sampleUnit(vSlots.y, vUV);
    emission = glow.rgb * glow.a * vSlots.z;
#endif

    vec3 light = textureLod(uLightMap, gl_FragCoord.xy * uLightMapScale, 0.0).rgb;

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
