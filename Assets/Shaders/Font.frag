#version 450 core
// Glyph bitmaps hold coverage in their red channel; text colour is display-ready.

uniform sampler2D uTexture2D;
uniform vec3 uColor;

in vec2 vUV;

out vec4 fragColor;

void main() {
    fragColor = vec4(uColor, texture(uTexture2D, vUV).r);
}
