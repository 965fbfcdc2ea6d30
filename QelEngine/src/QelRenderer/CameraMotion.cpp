#include "QelRenderer/CameraMotion.h"

#include "QelRenderer/CameraMath.h"

#include <algorithm>
#include <cmath>

namespace Qel {

namespace {

// Share of the remaining gap covered this frame. Past 1 the camera would overshoot, past 2 it
// would swing further out every frame; NaN or a negative speed would never arrive.
float easeShare(float dt, float followSpeed) {
    const float share = dt * followSpeed;
    return share > 0.0f ? std::min(share, 1.0f) : 0.0f;
}

float keepAxisInBounds(float position, float half, float low, float high) {
    if (high - low < 2.0f * half) return (low + high) / 2.0f;
    return std::clamp(position, low + half, high - half);
}

} // namespace

glm::vec3 followTarget(const Camera& camera, const Transform& transform) {
    return transform.position + glm::vec3(camera.offset, 0.0f);
}

bool isUsableZoom(float zoom) {
    return std::isfinite(zoom) && zoom > 0.0f;
}

void snapTo(CameraState& state, const Camera& camera, const Transform& transform) {
    if (isUsableZoom(camera.cameraZoom)) state.zoom = camera.cameraZoom;
    state.position = followTarget(camera, transform);
}

void easeToward(CameraState& state, const Camera& camera, const Transform& transform, float dt) {
    const float share = easeShare(dt, camera.followSpeed);
    const float zoomGap = state.zoom - camera.cameraZoom;
    if (isUsableZoom(camera.cameraZoom) && std::abs(zoomGap) > kZoomDeadBand) state.zoom -= share * zoomGap;
    state.position += share * (followTarget(camera, transform) - state.position);
}

void keepInBounds(CameraState& state, glm::vec2 halfExtents) {
    state.position.x =
        keepAxisInBounds(state.position.x, halfExtents.x, state.boundsMin.x, state.boundsMax.x);
    state.position.y =
        keepAxisInBounds(state.position.y, halfExtents.y, state.boundsMin.y, state.boundsMax.y);
}

void rebuildMatrices(CameraState& state, glm::vec2 windowSize) {
    const glm::vec2 half = cullingHalfExtents(windowSize, state.zoom);
    const glm::vec2 screenHalf = windowSize / 2.0f;
    state.view = lookAt(state.position, state.position - glm::vec3(0.0f, 0.0f, 1.0f), state.up);
    state.projection = ortho(-half.x, half.x, -half.y, half.y, state.nearPlane, state.farPlane);
    state.screenProjection =
        ortho(-screenHalf.x, screenHalf.x, -screenHalf.y, screenHalf.y, state.nearPlane, state.farPlane);
}

void resetToDefaultView(CameraState& state, glm::vec2 windowSize) {
    state.clearColor = {0.0f, 0.0f, 0.0f, 1.0f};
    state.position = {0.0f, 0.0f, 0.0f};
    state.zoom = kDefaultZoom;
    rebuildMatrices(state, windowSize);
}

void shakeStep(CameraState& state, float dt, float angle) {
    if (!state.shaking) return;
    state.shakeTime += dt;
    state.position.x += kShakeStrength * std::cos(angle);
    state.position.y += kShakeStrength * std::sin(angle);
    if (state.shakeTime > kShakeDuration) {
        state.shakeTime = 0.0f;
        state.shaking = false;
    }
}

glm::vec4 gammaClearColor(glm::vec3 rgb) {
    return {std::pow(rgb.r, 2.2f), std::pow(rgb.g, 2.2f), std::pow(rgb.b, 2.2f), 1.0f};
}

} // namespace Qel
