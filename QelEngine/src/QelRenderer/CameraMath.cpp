#include "QelRenderer/CameraMath.h"

#include "ECS/Components/ModelMatrix.h"
#include "QelCore/Input.h"
#include "QelCore/WindowHandler.h"
#include "QelRenderer/CameraState.h"

#include <glm/common.hpp>
#include <glm/ext/matrix_clip_space.hpp>
#include <glm/ext/matrix_transform.hpp>
#include <glm/matrix.hpp>
#include <glm/vec4.hpp>

#include <algorithm>
#include <cmath>

namespace Qel {

namespace {

constexpr glm::vec2 kReferenceWindow{1280.0f, 720.0f};

} // namespace

glm::mat4 lookAt(glm::vec3 eye, glm::vec3 target, glm::vec3 up) {
    return glm::lookAtRH(eye, target, up);
}

glm::mat4 ortho(float left, float right, float bottom, float top, float nearPlane, float farPlane) {
    return glm::orthoRH_NO(left, right, bottom, top, nearPlane, farPlane);
}

glm::mat4 inverse(const glm::mat4& matrix) {
    return glm::inverse(matrix);
}

float referenceScale(glm::vec2 windowSize) {
    const glm::vec2 ratio = windowSize / kReferenceWindow;
    return std::sqrt(ratio.y * ratio.y + ratio.x * ratio.x);
}

glm::vec2 cullingHalfExtents(glm::vec2 windowSize, float zoom) {
    const float aspect = windowSize.x / windowSize.y;
    const float pixelsPerUnit = aspect * zoom * referenceScale(windowSize);
    return 0.5f * windowSize / pixelsPerUnit;
}

bool isInView(glm::vec2 position, glm::vec2 scale, glm::vec2 camera, glm::vec2 halfExtents) {
    const glm::vec2 size = glm::abs(scale);
    const float reach = std::max(size.x, size.y) * 0.5f * 1.5f;
    return std::abs(position.x - camera.x) < reach + halfExtents.x &&
           std::abs(position.y - camera.y) < reach + halfExtents.y;
}

float areaInView(glm::vec2 position, glm::vec2 scale, float rotation, glm::vec2 camera, glm::vec2 halfExtents) {
    const glm::vec2 size = glm::abs(scale);
    const float radians = rotation * kDegreesToRadians;
    const float cosine = std::abs(std::cos(radians)), sine = std::abs(std::sin(radians));
    const glm::vec2 halfBox = 0.5f * glm::vec2(size.x * cosine + size.y * sine, size.x * sine + size.y * cosine);
    const glm::vec2 inView = glm::max(glm::min(position + halfBox, camera + halfExtents) -
                                          glm::max(position - halfBox, camera - halfExtents),
                                      glm::vec2(0.0f));
    const float boxArea = 4.0f * halfBox.x * halfBox.y;
    return boxArea > 0.0f ? size.x * size.y * (inView.x * inView.y) / boxArea : 0.0f;
}

glm::vec2 currentWindowSize() {
    const WindowHandler* window = WindowHandler::instance();
    if (!window) return kReferenceWindow;
    const glm::ivec2 size = window->getCurrentSize();
    // Every extent divides by the height and the aspect; a degenerate size must not reach them.
    if (size.x < 1 || size.y < 1) return kReferenceWindow;
    return glm::vec2(size);
}

glm::vec2 mouseToWorld(glm::vec2 cursorPixels, glm::vec2 windowSize, const CameraState& camera) {
    const glm::vec2 ndc{(cursorPixels.x - windowSize.x / 2.0f) * 2.0f / windowSize.x,
                        (cursorPixels.y - windowSize.y / 2.0f) * 2.0f / -windowSize.y};
    const glm::vec4 world = inverse(camera.view) * (inverse(camera.projection) * glm::vec4(ndc, 0.0f, 1.0f));
    return {world.x, world.y};
}

glm::vec2 mouseToWorld() {
    return mouseToWorld(glm::vec2(getCursorPosition()), currentWindowSize(), cameraState());
}

glm::vec2 worldToScreen(glm::vec2 world, glm::vec2 windowSize, const CameraState& camera) {
    const glm::vec4 clip = camera.projection * (camera.view * glm::vec4(world, 0.0f, 1.0f));
    const glm::vec2 ndc = glm::vec2(clip) / clip.w;
    return {(ndc.x + 1.0f) * 0.5f * windowSize.x, (1.0f - ndc.y) * 0.5f * windowSize.y};
}

} // namespace Qel
