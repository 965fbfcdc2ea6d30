#pragma once

namespace Qel {

/// Sets the colour the default framebuffer is cleared to (components 0 to 1).
/// Needs a current OpenGL context.
void setClearColor(float red, float green, float blue, float alpha);

/// Clears the colour buffer of the bound framebuffer. Needs a current OpenGL context.
void clearColorBuffer();

} // namespace Qel
