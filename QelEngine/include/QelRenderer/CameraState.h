#pragma once

#include <glm/mat4x4.hpp>
#include <glm/vec2.hpp>
#include <glm/vec3.hpp>
#include <glm/vec4.hpp>

namespace Qel {

/// The one view every draw uses. The camera system writes it; the renderer, the batches and mouse
/// picking read it. Positions and bounds are in world units.
struct CameraState {
    glm::vec3 position{0.0f, 0.0f, 0.0f};
    float nearPlane = -10.0f;
    float farPlane = 10.0f;
    /// Current zoom: larger shows less of the world.
    float zoom = 10.0f;
    glm::vec3 up{0.0f, 1.0f, 0.0f};
    glm::mat4 view{1.0f};
    /// World sprites use projection * view.
    glm::mat4 projection{1.0f};
    /// Screen-space UI: one unit per pixel, origin at the window's centre.
    glm::mat4 screenProjection{1.0f};
    /// The level's world rectangle, from the navigation grid.
    glm::vec2 boundsMin{0.0f, 0.0f};
    glm::vec2 boundsMax{0.0f, 0.0f};
    bool shaking = false;
    /// Seconds the current shake has run.
    float shakeTime = 0.0f;
    /// Gamma-expanded colour the camera system last asked the screen to be cleared to.
    glm::vec4 clearColor{0.0f, 0.0f, 0.0f, 1.0f};
};

/// The engine-wide camera state; lives for the whole run.
CameraState& cameraState();

} // namespace Qel
