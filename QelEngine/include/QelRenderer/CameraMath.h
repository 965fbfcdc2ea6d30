#pragma once

#include <glm/mat4x4.hpp>
#include <glm/vec2.hpp>
#include <glm/vec3.hpp>

namespace Qel {

struct CameraState;

/// Right-handed view matrix: the eye looks at target, up points up on screen.
glm::mat4 lookAt(glm::vec3 eye, glm::vec3 target, glm::vec3 up);
/// Standard orthographic projection onto clip space -1..1 on every axis.
glm::mat4 ortho(float left, float right, float bottom, float top, float nearPlane, float farPlane);
glm::mat4 inverse(const glm::mat4& matrix);

/// How much larger the window (pixels) is than the 1280 x 720 reference, by its diagonal:
/// sqrt((h / 720)^2 + (w / 1280)^2).
float referenceScale(glm::vec2 windowSize);

/// Half the width and height, in world units, of what a camera at `zoom` shows in a window of
/// windowSize pixels. The camera's projection spans exactly this box, so the renderer culls with it.
glm::vec2 cullingHalfExtents(glm::vec2 windowSize, float zoom);

/// Whether a sprite at position with scale (world units; a negative scale mirrors it) can show in a
/// view of halfExtents around camera. Sprites rotate, so it counts as visible while a circle of 1.5
/// times its larger half-size around its centre reaches into the view.
bool isInView(glm::vec2 position, glm::vec2 scale, glm::vec2 camera, glm::vec2 halfExtents);

/// How much of a view of halfExtents around camera a sprite at position with scale and rotation
/// (degrees) covers, in square world units: its area times the share of its bounding box in view.
float areaInView(glm::vec2 position, glm::vec2 scale, float rotation, glm::vec2 camera, glm::vec2 halfExtents);

/// The window's current size in pixels, or 1280 x 720 when there is no usable window.
glm::vec2 currentWindowSize();

/// The world point under a cursor given in window pixels (origin top left, y down).
glm::vec2 mouseToWorld(glm::vec2 cursorPixels, glm::vec2 windowSize, const CameraState& camera);
/// The world point under this frame's cursor, seen through the engine's camera.
glm::vec2 mouseToWorld();
/// The window pixel (origin top left, y down) over a world point: mouseToWorld undone.
glm::vec2 worldToScreen(glm::vec2 world, glm::vec2 windowSize, const CameraState& camera);

} // namespace Qel
