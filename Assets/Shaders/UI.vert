#version 450 core
// One instance of the UI quad per image or text glyph, in screen space.

layout(location = 0) in vec2 aPosition;
layout(location = 1) in vec2 aTexCoord;
layout(location = 2) in vec2 aSlot;     // texture unit; 0 image, 1 glyph
layout(location = 3) in vec4 aColor;    // display space
layout(location = 4) in mat4 aModelToNDC;
layout(location = 8) in vec2 aUVOffset;
layout(location = 9) in vec2 aUVSize;

out vec2 vUV;
out vec4 vColor;
flat out vec2 vSlot;

void main() {
    vUV = aUVOffset + aTexCoord * aUVSize;
    vColor = aColor;
    vSlot = aSlot;
    gl_Position = aModelToNDC * vec4(aPosition, 0.0, 1.0);
}
