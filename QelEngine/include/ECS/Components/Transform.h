#pragma once

#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>

namespace Qel {

/// Component: where an entity sits in the world. Files give x and y only; z stays as set.
struct Transform {
    glm::vec3 position{0.0f, 0.0f, 0.0f};
    glm::vec3 scale{1.0f, 1.0f, 1.0f};
    /// Degrees, counter-clockwise.
    float rotation = 0.0f;
    /// Model matrix T * R * S, rebuilt from the fields above when an entity is built and every
    /// frame by the transform system; not read from files.
    glm::mat4 model{1.0f};
};

} // namespace Qel
