#version 450 core
// Full-target pass: the unit quad stretched over clip space.

layout(location = 0) in vec2 aPosition;
layout(location = 1) in vec2 aTexCoord;

out vec2 vUV;

void main() {
    vUV = aTexCoord;
    gl_Position = vec4(aPosition * 2.0, 0.0, 1.0);
}
