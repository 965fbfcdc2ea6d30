#pragma once

#include <glm/vec2.hpp>

// A shape sized and placed as the physics step would place it from an entity's transform.
template <class Shape>
Shape placed(glm::vec2 size, glm::vec2 entityPosition, float rotationDegrees = 0.0f,
             glm::vec2 offset = {0.0f, 0.0f}) {
    Shape shape;
    shape.setScale(size);
    shape.setOffset(offset);
    shape.update(entityPosition, rotationDegrees);
    return shape;
}
