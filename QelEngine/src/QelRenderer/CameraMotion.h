#pragma once

#include "ECS/Components/Camera.h"
#include "ECS/Components/Transform.h"
#include "QelRenderer/CameraState.h"

#include <glm/vec2.hpp>
#include <glm/vec3.hpp>
#include <glm/vec4.hpp>

namespace Qel {

/// Zoom used when a scene has no camera.
constexpr float kDefaultZoom = 10.0f;
/// Zoom differences up to this are left alone rather than eased forever.
constexpr float kZoomDeadBand = 0.01f;
/// A shake ends once it has run longer than this (seconds).
constexpr float kShakeDuration = 0.5f;
/// World units the camera is knocked per shaken frame.
constexpr float kShakeStrength = 0.05f;

/// What the camera follows: the entity's position plus the camera's offset (world units).
glm::vec3 followTarget(const Camera& camera, const Transform& transform);

/// A zoom the projection can divide by: positive and finite.
bool isUsableZoom(float zoom);

/// Jumps to the camera's zoom and follow target. An unusable zoom leaves the current zoom.
void snapTo(CameraState& state, const Camera& camera, const Transform& transform);

/// Moves zoom and position toward the camera by dt x followSpeed of the remaining gap (dt in
/// seconds). The share is capped at the whole gap, so a long frame or a high speed lands on the
/// target instead of overshooting it. Zoom inside the dead band, or toward an unusable zoom, stays.
void easeToward(CameraState& state, const Camera& camera, const Transform& transform, float dt);

/// Keeps a view of halfExtents (world units) inside [boundsMin, boundsMax], axis by axis. On an
/// axis where the level is smaller than the view, the camera sits at the level's centre.
void keepInBounds(CameraState& state, glm::vec2 halfExtents);

/// Rebuilds view, projection and screenProjection from the position and zoom for a window of
/// windowSize pixels. The projection spans cullingHalfExtents, so what is drawn is what is kept.
void rebuildMatrices(CameraState& state, glm::vec2 windowSize);

/// Puts the camera at the origin with the default zoom and a black clear colour.
void resetToDefaultView(CameraState& state, glm::vec2 windowSize);

/// Advances a running shake by dt seconds and knocks the position kShakeStrength along angle
/// (radians). Does nothing when no shake runs.
void shakeStep(CameraState& state, float dt, float angle);

/// The clear colour for a camera's colour: each channel raised to 2.2, alpha 1.
glm::vec4 gammaClearColor(glm::vec3 rgb);

} // namespace Qel
