#pragma once

#include <glm/vec4.hpp>

#include <string>

namespace Qel {

/// Engine-wide lighting settings of the current scene, read by the renderer's composite. A scene
/// without "lighting" resets the ambient colour and keeps the look-up table settings.
struct SceneLighting {
    /// RGB colour in 0..1; w scales it (the renderer uses rgb * w as the ambient light).
    glm::vec4 ambient{1.0f, 1.0f, 1.0f, 1.0f};
    /// Colour grading through the look-up table texture named lutName; off for an empty name.
    bool isLUT = false;
    std::string lutName = "SepiaLUT16";
};

} // namespace Qel
