#include "QelRenderer/UILayout.h"

#include "ECS/Components/ModelMatrix.h"

#include <glm/ext/matrix_transform.hpp>

namespace Qel {

namespace {

struct AxisPlacement {
    float position;
    float extent;
};

// Anchors are in half-window units, -1 .. 1 from the centre.
AxisPlacement placeOnAxis(float anchorMin, float anchorMax, float position, float referenceExtent,
                          float halfWindow, float pixelsPerUnit) {
    if (anchorMin == anchorMax)
        return {anchorMax * halfWindow + pixelsPerUnit * position, pixelsPerUnit * referenceExtent};
    return {position, (anchorMax - anchorMin) * halfWindow};
}

} // namespace

glm::vec2 uiReferenceScale(glm::vec2 windowSize) {
    return {windowSize.x * 0.5f / 1280.0f, windowSize.y * 0.5f / 720.0f};
}

UIBox layoutUIElement(const UITransform& element, glm::vec2 windowSize) {
    const glm::vec2 half = windowSize * 0.5f;
    const glm::vec2 k = uiReferenceScale(windowSize);
    const AxisPlacement x =
        placeOnAxis(element.anchorMin.x, element.anchorMax.x, element.position.x, element.width, half.x, k.x);
    const AxisPlacement y = placeOnAxis(element.anchorMin.y, element.anchorMax.y, element.position.y,
                                        element.height, half.y, k.y);
    UIBox box;
    box.position = {x.position, y.position};
    box.elementSize = {x.extent, y.extent};
    box.size = box.elementSize * glm::vec2(element.scale);
    glm::mat4 model = glm::translate(glm::mat4(1.0f), glm::vec3(box.position, 1.0f));
    model = glm::rotate(model, element.rotation * kDegreesToRadians, glm::vec3(0.0f, 0.0f, 1.0f));
    model = glm::scale(model, glm::vec3(box.size, 1.0f));
    box.model = glm::translate(model, glm::vec3(-element.pivot, 0.0f));
    return box;
}

} // namespace Qel
