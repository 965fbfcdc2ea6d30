#include "QelRenderer/UILayout.h"

#include <gtest/gtest.h>

namespace Qel {
namespace {

// Where the element's model puts a point of the unit quad; the UI sits at depth 1.
glm::vec2 place(const UIBox& box, glm::vec2 quadPoint) {
    const glm::vec4 placed = box.model * glm::vec4(quadPoint, 0.0f, 1.0f);
    EXPECT_FLOAT_EQ(placed.z, 1.0f);
    return {placed.x, placed.y};
}

void expectNear(glm::vec2 actual, glm::vec2 expected) {
    EXPECT_NEAR(actual.x, expected.x, 1e-3f);
    EXPECT_NEAR(actual.y, expected.y, 1e-3f);
}

UITransform pinned() {
    return {.position = {100.0f, 50.0f, 0.0f},
            .scale = {2.0f, 1.0f, 1.0f},
            .pivot = {0.5f, 0.5f},
            .anchorMin = {0.5f, -1.0f},
            .anchorMax = {0.5f, -1.0f},
            .width = 200.0f,
            .height = 80.0f};
}

TEST(UILayoutTest, DifferentAnchorsStretchTheElementAndRotationTurnsItAboutThePivot) {
    UITransform element = pinned();
    element.anchorMin.x = -1.0f;
    element.anchorMax.x = 1.0f;
    element.position.x = 10.0f;
    element.pivot = {0.0f, 0.0f};
    const UIBox box = layoutUIElement(element, {1600.0f, 900.0f});
    expectNear(box.position, {10.0f, -450.0f + 50.0f * 900.0f / 1440.0f});
    expectNear(box.elementSize, {1600.0f, 80.0f * 900.0f / 1440.0f});

    element = pinned();
    element.rotation = 90.0f;
    element.pivot = {0.0f, 0.0f};
    // The right edge's midpoint, 100 px along +x before turning, is 100 px up after.
    expectNear(place(layoutUIElement(element, {1280.0f, 720.0f}), {0.5f, 0.0f}), {370.0f, -235.0f});
}

} // namespace
} // namespace Qel
