#version 450 core
// One instance of the shared unit quad per sprite, shadow or light mask.

layout(location = 0) in vec2 aPosition;   // quad corner, -0.5 .. 0.5
layout(location = 1) in vec2 aTexCoord;   // 0 .. 1
layout(location = 2) in vec4 aSlots;      // main unit, emission unit or -1, emission amount, mask unit or -1
layout(location = 3) in vec4 aColor;      // tint as authored (display space)
layout(location = 4) in mat4 aModelToNDC;
layout(location = 8) in vec4 aUVRect;     // offset xy, size zw
layout(location = 9) in mat4 aModel;      // quad to world, for lighting
layout(location = 13) in float aAlphaFactor;

struct PackedLight {
    vec4 position; // world x, y; height above the sprite plane
    vec4 color;    // linear rgb
    vec4 params;   // range, intensity, attenuation
};

layout(std140, binding = 0) uniform Lights {
    PackedLight uLights[20];
};

uniform int uLightCount;

out vec2 vUV;
out vec2 vWorld;
out vec4 vColor;
flat out vec4 vSlots;
out float vAlphaFactor;
flat out uint vLightMask; // bit i: light i reaches this quad

// The lights whose range reaches the quad's world rectangle. A light beyond its range adds exactly
// nothing, so the fragments of a floor tile loop over the two or three lights near it instead of
// all of them; a black quad (a drop shadow) reflects no light at all.
uint lightsReaching(vec4 color) {
    if (all(lessThanEqual(color.rgb, vec3(0.0)))) return 0u;
    vec2 centre = (aModel * vec4(0.0, 0.0, 0.0, 1.0)).xy;
    vec2 halfSize = 0.5 * (abs(aModel[0].xy) + abs(aModel[1].xy));
    uint mask = 0u;
    int count = clamp(uLightCount, 0, 20);
    for (int i = 0; i < count; ++i) {
        float range = uLights[i].params.x;
        vec2 outside = max(abs(uLights[i].position.xy - centre) - halfSize, vec2(0.0));
        if (range > 0.0 && uLights[i].params.y > 0.0 && length(outside) < range * 1.001) mask |= 1u << i;
    }
    return mask;
}

void main() {
    vUV = aUVRect.xy + aTexCoord * aUVRect.zw;
    vWorld = (aModel * vec4(aPosition, 0.0, 1.0)).xy;
    // Tints multiply linear texels, so they are brought out of display space like the clear colour.
    vColor = vec4(pow(max(aColor.rgb, vec3(0.0)), vec3(2.2)), aColor.a);
    vSlots = aSlots;
    vAlphaFactor = aAlphaFactor;
    vLightMask = lightsReaching(aColor);
    gl_Position = aModelToNDC * vec4(aPosition, 0.0, 1.0);
}
