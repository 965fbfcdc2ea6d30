#pragma once

#include <glm/vec2.hpp>
#include <glm/vec3.hpp>

#include <cstdint>

namespace Qel {

/// Component: screen-space layout of a UI element, against a 1280 x 720 reference resolution.
struct UITransform {
    glm::vec3 position{0.0f, 0.0f, 0.0f};
    glm::vec3 scale{1.0f, 1.0f, 1.0f};
    /// Degrees.
    float rotation = 0.0f;
    /// In quad units.
    glm::vec2 pivot{0.0f, 0.0f};
    /// In half-screen units, -1 to 1 from the screen centre.
    glm::vec2 anchorMin{0.0f, 0.0f};
    glm::vec2 anchorMax{0.0f, 0.0f};
    /// Reference pixels.
    float width = 100.0f;
    float height = 100.0f;
    /// Draw order: lower layers first.
    int32_t layer = 0;
};

} // namespace Qel
