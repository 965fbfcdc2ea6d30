#pragma once

#include "ECS/Components/UITransform.h"

#include <glm/vec2.hpp>

namespace Qel {

/// The cursor in UI space (pixels from the window centre, +y up) for a cursor given in window
/// pixels (origin top left, y down) in a window of windowSize pixels.
glm::vec2 cursorToUI(glm::vec2 cursorPixels, glm::vec2 windowSize);

/// The centre of the element's drawn box in UI space, for a window of windowSize pixels.
glm::vec2 elementCentre(const UITransform& element, glm::vec2 windowSize);

/// Whether a UI point (as from cursorToUI) lies strictly inside the element's drawn box, the box the
/// UI pass draws for a window of windowSize pixels (its rotation aside).
bool isOverElement(const UITransform& element, glm::vec2 uiPoint, glm::vec2 windowSize);

} // namespace Qel
