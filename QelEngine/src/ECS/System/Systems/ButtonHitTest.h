#pragma once

#include "ECS/Components/UITransform.h"

#include <glm/vec2.hpp>

#include <cstddef>
#include <optional>
#include <span>

namespace Qel {

/// The cursor in UI space (pixels from the window centre, +y up) for a cursor given in window
/// pixels (origin top left, y down) in a window of windowSize pixels.
glm::vec2 cursorToUI(glm::vec2 cursorPixels, glm::vec2 windowSize);
/// cursorToUI undone: the window pixel of a UI point.
glm::vec2 uiToCursor(glm::vec2 uiPoint, glm::vec2 windowSize);

/// The centre of the element's drawn box in UI space, for a window of windowSize pixels.
glm::vec2 elementCentre(const UITransform& element, glm::vec2 windowSize);

/// Whether a UI point (as from cursorToUI) lies strictly inside the element's drawn box, the box the
/// UI pass draws for a window of windowSize pixels (its rotation aside).
bool isOverElement(const UITransform& element, glm::vec2 uiPoint, glm::vec2 windowSize);

/// Which of the button centres (UI space) a navigation step moves to. From a button's centre
/// `from`: the nearest one ahead in direction `step` (a unit vector), straight lines preferred
/// over steep ones; none when nothing lies ahead. From a point over no button: the nearest one.
std::optional<size_t> nextFocus(std::span<const glm::vec2> centres, glm::vec2 from, glm::vec2 step,
                                bool fromButton);

} // namespace Qel
