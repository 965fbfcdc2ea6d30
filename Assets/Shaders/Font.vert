#version 450 core
// A single glyph quad; the glyph bitmap's first row is its top.

layout(location = 0) in vec2 aPosition;
layout(location = 1) in vec2 aTexCoord;

uniform mat4 uModel_to_NDC;

out vec2 vUV;

void main() {
    vUV = vec2(aTexCoord.x, 1.0 - aTexCoord.y);
    gl_Position = uModel_to_NDC * vec4(aPosition, 0.0, 1.0);
}
