#version 450 core
// Outline of a collider or grid cell, drawn straight to the window.

layout(location = 0) in vec2 aPosition;

uniform mat4 uModel_to_NDC;

void main() {
    gl_Position = uModel_to_NDC * vec4(aPosition, 0.0, 1.0);
}
