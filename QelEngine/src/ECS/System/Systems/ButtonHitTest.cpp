#include "ECS/System/Systems/ButtonHitTest.h"

#include "QelRenderer/UILayout.h"

#include <glm/common.hpp>

namespace Qel {

glm::vec2 cursorToUI(glm::vec2 cursorPixels, glm::vec2 windowSize) {
    return {cursorPixels.x - windowSize.x / 2.0f, windowSize.y / 2.0f - cursorPixels.y};
}

glm::vec2 elementCentre(const UITransform& element, glm::vec2 windowSize) {
    // The layout the renderer draws with, so the clickable box is exactly the visible one: the unit
    // quad spans -0.5..0.5 and is shifted by the pivot before it is scaled.
    const UIBox box = layoutUIElement(element, windowSize);
    return box.position - box.size * element.pivot;
}

bool isOverElement(const UITransform& element, glm::vec2 uiPoint, glm::vec2 windowSize) {
    const glm::vec2 centre = elementCentre(element, windowSize);
    const glm::vec2 half = glm::abs(layoutUIElement(element, windowSize).size) * 0.5f;
    return uiPoint.x > centre.x - half.x && uiPoint.x < centre.x + half.x && uiPoint.y > centre.y - half.y &&
           uiPoint.y < centre.y + half.y;
}

} // namespace Qel
