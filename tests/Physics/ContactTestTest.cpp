#include "Physics/ContactTest.h"
#include "Physics/Circle.h"
#include "Physics/OBB.h"
#include "Physics/Rect2D.h"
#include "PlacedShape.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

using namespace Qel;

namespace {
constexpr float kTol = 1e-5f;
const float kHalfRoot2 = std::sqrt(0.5f);
const float kRoot2 = std::sqrt(2.0f);
const glm::vec2 kSquare{2.0f, 2.0f};
const glm::vec2 kOrigin{0.0f, 0.0f};

template <class Shape>
std::shared_ptr<Collider2D> shape(glm::vec2 size, glm::vec2 at, float degrees = 0.0f, glm::vec2 offset = {}) {
    return std::make_shared<Shape>(placed<Shape>(size, at, degrees, offset));
}
const auto box = [](glm::vec2 at, float degrees = 0.0f, float size = 2.0f) {
    return shape<Rect2D>({size, size}, at, degrees);
};
const auto obb = [](glm::vec2 at, float degrees = 0.0f) { return shape<OBB>(kSquare, at, degrees); };
const auto circle = [](float diameter, glm::vec2 at, float degrees = 0.0f, glm::vec2 offset = {}) {
    return shape<Circle>({diameter, diameter}, at, degrees, offset);
};
const auto unit = [](glm::vec2 at) { return circle(2.0f, at); }; // radius 1

struct Case {
    const char* what;
    std::shared_ptr<Collider2D> a, b;
    bool colliding;
    glm::vec2 normal{};
    float penetration = 0.0f;
    /// Tied axes: only the push (normal times penetration) is fixed, whichever axis won.
    bool pushOnly = false;
};

glm::vec2 push(const ContactResult& r) {
    return r.normal * r.penetration;
}
} // namespace

TEST(ContactTest, EveryPairAndItsSwapAgree) {
    const auto square = box(kOrigin);
    const auto turned = obb(kOrigin);
    const auto diamond = obb(kOrigin, 45.0f);
    const auto tall = shape<OBB>({4.0f, 2.0f}, kOrigin, 90.0f);
    const auto six = circle(6.0f, kOrigin);
    const auto point = shape<OBB>({0.0f, 0.0f}, kOrigin);
    const auto edge = unit({1.5f * kHalfRoot2, 1.5f * kHalfRoot2});
    const auto top = unit({0.0f, 3.5f});
    const glm::vec2 across{kHalfRoot2, kHalfRoot2};
    const auto small = shape<Rect2D>({1.0f, 1.0f}, kOrigin);
    const auto big = box({0.2f, 0.2f}, 0.0f, 4.0f);
    const auto spun = circle(6.0f, {2.0f, 4.0f}, 90.0f, {1.0f, 0.0f});
    // The same offset on a turned entity: the OBB's moves to (0, 2), the Rect2D's stays at (2, 0).
    const auto turnedWithOffset = shape<OBB>(kSquare, kOrigin, 90.0f, {2.0f, 0.0f});
    const auto boxWithOffset = shape<Rect2D>(kSquare, kOrigin, 90.0f, {2.0f, 0.0f});
    const Case cases[] = {
        {"same box: a tie picks y", square, square, true, {0.0f, 1.0f}, 2.0f},
        {"box overlap", square, box({1.5f, 0.5f}), true, {1.0f, 0.0f}, -0.5f},
        {"boxes touching", square, box({2.0f, 0.0f}), true, {1.0f, 0.0f}, 0.0f},
        {"boxes apart", square, box({2.01f, 0.0f}), false},
        {"rotation does not turn a box", square, box({1.5f, 0.5f}, 45.0f), true, {1.0f, 0.0f}, -0.5f},
        {"sign follows the min corners", small, big, true, {0.0f, 1.0f}, 1.0f},
        {"same oriented box", turned, turned, true, {1.0f, 0.0f}, 2.0f},
        {"oriented overlap", turned, obb({1.5f, 0.2f}), true, {1.0f, 0.0f}, -0.5f},
        {"oriented touching", turned, obb({2.0f, 0.0f}), false},
        {"diamond corner: B's axis wins", diamond, obb({2.2f, 0.0f}), true, {1.0f, 0.0f}, -(kRoot2 - 1.2f)},
        {"diagonal axis separates", diamond, obb({1.6f, 1.6f}, 45.0f), false},
        {"zero-sized boxes", point, point, false},
        {"turned box against a box", tall, box({1.5f, 0.0f}), true, {1.0f, 0.0f}, -0.5f, true},
        {"oriented over a box", turned, box({0.5f, 1.5f}), true, {0.0f, 1.0f}, -0.5f},
        {"oriented beside a box", turned, box({2.0f, 0.0f}), false},
        {"circles: sizes are diameters", circle(6.0f, {3.0f, 4.0f}), six, true, {0.6f, 0.8f}, 1.0f},
        {"circles touching", circle(4.0f, {3.0f, 4.0f}), six, true, {0.6f, 0.8f}, 0.0f},
        {"circles apart", circle(4.0f, {3.0f, 4.1f}), six, false},
        {"same circle", six, six, true, {0.0f, 1.0f}, 6.0f},
        {"a circle ignores rotation and offset", spun, six, true, {0.6f, 0.8f}, 1.0f},
        {"circle on a box edge", unit({0.0f, 1.5f}), square, true, {0.0f, 1.0f}, 0.5f},
        {"circle on a box corner", unit({1.3f, 1.4f}), square, true, {0.6f, 0.8f}, 0.5f},
        {"circle touching a corner", unit({1.6f, 1.8f}), square, true, {0.6f, 0.8f}, 0.0f},
        {"circle past a corner", unit({1.7f, 1.8f}), square, false},
        {"circle inside a box", unit({0.8f, 0.0f}), square, true, {1.0f, 0.0f}, 1.2f},
        {"circle at a box's centre", unit(kOrigin), square, true, {0.0f, 1.0f}, 2.0f},
        {"circle on a diamond's top", unit({0.0f, kRoot2 + 0.5f}), diamond, true, {0.0f, 1.0f}, 0.5f},
        {"circle on a diamond's edge", edge, diamond, true, across, 0.5f},
        {"circle above a diamond", unit({0.0f, kRoot2 + 1.01f}), diamond, false},
        {"offset turns with an OBB", top, turnedWithOffset, true, {0.0f, 1.0f}, 0.5f, true},
        {"offset stays with a box", top, boxWithOffset, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const ContactResult r = testContact(*c.a, *c.b);
        ASSERT_EQ(r.colliding, c.colliding);
        if (!c.colliding) {
            EXPECT_FALSE(testContact(*c.b, *c.a).colliding);
            continue;
        }
        const glm::vec2 expectedPush = c.normal * c.penetration;
        EXPECT_NEAR(push(r).x, expectedPush.x, kTol);
        EXPECT_NEAR(push(r).y, expectedPush.y, kTol);
        if (!c.pushOnly) {
            EXPECT_NEAR(r.normal.x, c.normal.x, kTol);
            EXPECT_NEAR(r.normal.y, c.normal.y, kTol);
            EXPECT_NEAR(r.penetration, c.penetration, kTol);
        }
        // Swapped, the same contact pushes the other way.
        if (c.a == c.b) continue;
        const ContactResult swapped = testContact(*c.b, *c.a);
        ASSERT_TRUE(swapped.colliding);
        EXPECT_NEAR(push(swapped).x, -expectedPush.x, kTol);
        EXPECT_NEAR(push(swapped).y, -expectedPush.y, kTol);
    }
}

TEST(ContactTest, BrokenShapesNeverCollide) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const Circle circle = placed<Circle>(kSquare, kOrigin);
    const Rect2D rect = placed<Rect2D>(kSquare, kOrigin);
    const OBB turned = placed<OBB>(kSquare, kOrigin, 30.0f);
    const Circle lostCircle = placed<Circle>(kSquare, {nan, 0.0f});
    const Rect2D lostRect = placed<Rect2D>(kSquare, {0.0f, nan});
    const OBB lostBox = placed<OBB>(kSquare, kOrigin, nan);
    const OBB endlessBox = placed<OBB>({std::numeric_limits<float>::infinity(), 2.0f}, kOrigin, 30.0f);
    for (const Collider2D* a : std::initializer_list<const Collider2D*>{&circle, &rect, &turned}) {
        for (const Collider2D* b :
             std::initializer_list<const Collider2D*>{&lostCircle, &lostRect, &lostBox, &endlessBox}) {
            EXPECT_FALSE(testContact(*a, *b).colliding);
            EXPECT_FALSE(testContact(*b, *a).colliding);
        }
    }
}
