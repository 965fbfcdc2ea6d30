#pragma once

#include "ECS/Components/UITransform.h"

#include <glm/mat4x4.hpp>
#include <glm/vec2.hpp>

namespace Qel {

/// Where a UI element lands in a window, in pixels from the window centre.
struct UIBox {
    /// The element's anchor point.
    glm::vec2 position{0.0f};
    /// Width and height before the element's own scale.
    glm::vec2 elementSize{0.0f};
    /// elementSize times the element's scale.
    glm::vec2 size{0.0f};
    /// Places the unit quad: T(position, 1) * R(rotation) * S(size, 1) * T(-pivot, 0).
    glm::mat4 model{1.0f};
};

/// Pixels per reference unit on each axis: UI positions and sizes are given in a 2560 x 1440
/// reference space, so a 1280 x 720 window gives (0.5, 0.5).
glm::vec2 uiReferenceScale(glm::vec2 windowSize);

/// The element's box for a window of windowSize pixels. On an axis whose two anchors are equal the
/// element sits at the anchor plus its scaled position and keeps its scaled reference size; on an
/// axis with different anchors it stretches between them and its position is taken in pixels.
UIBox layoutUIElement(const UITransform& element, glm::vec2 windowSize);

} // namespace Qel
