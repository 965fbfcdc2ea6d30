#pragma once

#include <glm/vec4.hpp>

#include <cstdint>
#include <string>

namespace Qel {

/// Component: a clickable UI element.
struct Button {
    /// RGBA, 0..1, at rest, under the cursor and while pressed.
    glm::vec4 color{1.0f, 1.0f, 1.0f, 1.0f};
    glm::vec4 hoverColor{0.0f, 0.0f, 0.0f, 0.0f};
    glm::vec4 clickColor{0.5f, 0.5f, 0.5f, 1.0f};
    /// 0 ignores clicks; not read from files.
    uint32_t enabled = 1;
    /// Name of the action or script function a click triggers.
    std::string OnClick;
};

} // namespace Qel
