#version 450 core
// One instance of the shared unit quad per sprite, shadow or light mask.

layout(location = 0) in vec2 aPosition;   // quad corner, -0.5 .. 0.5
layout(location = 1) in vec2 aTexCoord;   // 0 .. 1
layout(location = 2) in vec4 aSlots;      // main unit, emission unit or -1, emission amount, mask unit or -1
layout(location = 3) in vec4 aColor;      // tint as authored (display space)
layout(location = 4) in mat4 aModelToNDC;
layout(location = 8) in vec4 aUVRect;     // offset xy, size zw
layout(location = 9) in float aAlphaFactor;

out vec2 vUV;
out vec4 vColor;
flat out vec4 vSlots;
out float vAlphaFactor;

void main() {
    vUV = aUVRect.xy + aTexCoord * aUVRect.zw;
    // Tints multiply linear texels, so they are brought out of display space like the clear colour.
    vColor = vec4(pow(max(aColor.rgb, vec3(0.0)), vec3(2.2)), aColor.a);
    vSlots = aSlots;
    vAlphaFactor = aAlphaFactor;
    gl_Position = aModelToNDC * vec4(aPosition, 0.0, 1.0);
}
