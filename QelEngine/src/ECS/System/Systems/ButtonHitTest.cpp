#include "ECS/System/Systems/ButtonHitTest.h"

#include "QelRenderer/UILayout.h"

#include <glm/common.hpp>
#include <glm/geometric.hpp>

#include <cmath>
#include <limits>

namespace Qel {

glm::vec2 cursorToUI(glm::vec2 cursorPixels, glm::vec2 windowSize) {
    return {cursorPixels.x - windowSize.x / 2.0f, windowSize.y / 2.0f - cursorPixels.y};
}

glm::vec2 uiToCursor(glm::vec2 uiPoint, glm::vec2 windowSize) {
    return {uiPoint.x + windowSize.x / 2.0f, windowSize.y / 2.0f - uiPoint.y};
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

std::optional<size_t> nextFocus(std::span<const glm::vec2> centres, glm::vec2 from, glm::vec2 step,
                                bool fromButton) {
    std::optional<size_t> best;
    float bestScore = std::numeric_limits<float>::infinity();
    for (size_t index = 0; index < centres.size(); ++index) {
        const glm::vec2 offset = centres[index] - from;
        const float ahead = glm::dot(offset, step);
        // Less than a pixel ahead is the button itself or one beside it in a row across the step.
        if (fromButton && ahead < 1.0f) continue;
        // Sideways distance counts double, so the button straight ahead wins over a nearer one
        // off to the side.
        const float score =
            fromButton ? ahead + 2.0f * std::abs(offset.x * step.y - offset.y * step.x) : glm::length(offset);
        if (score < bestScore) {
            bestScore = score;
            best = index;
        }
    }
    return best;
}

} // namespace Qel
