#include "Physics/ContactTest.h"
#include "Physics/Circle.h"
#include "Physics/OBB.h"
#include "Physics/Rect2D.h"
#include "PlacedShape.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace Qel;

namespace {
constexpr float kTol = 1e-5f;
const float kHalfRoot2 = std::sqrt(0.5f);

void expectContact(const ContactResult& r, glm::vec2 normal, float penetration) {
    ASSERT_TRUE(r.colliding);
    EXPECT_NEAR(r.normal.x, normal.x, kTol);
    EXPECT_NEAR(r.normal.y, normal.y, kTol);
    EXPECT_NEAR(r.penetration, penetration, kTol);
}

// Where the step pushes A (normal times penetration): the same whichever tied axis won.
void expectPush(const ContactResult& r, glm::vec2 push) {
    ASSERT_TRUE(r.colliding);
    EXPECT_NEAR(r.normal.x * r.penetration, push.x, kTol);
    EXPECT_NEAR(r.normal.y * r.penetration, push.y, kTol);
}

const glm::vec2 kSquare{2.0f, 2.0f};
const glm::vec2 kOrigin{0.0f, 0.0f};
} // namespace

TEST(ContactTest, BoxBox) {
    const auto a = placed<Rect2D>(kSquare, kOrigin);
    expectContact(testBoxBox(a, a), {0.0f, 1.0f}, 2.0f); // tie picks y
    const auto right = placed<Rect2D>(kSquare, {1.5f, 0.5f});
    expectContact(testBoxBox(a, right), {1.0f, 0.0f}, -0.5f);
    expectContact(testBoxBox(right, a), {1.0f, 0.0f}, 0.5f);
    expectContact(testBoxBox(a, placed<Rect2D>(kSquare, {2.0f, 0.0f})), {1.0f, 0.0f}, 0.0f);
    EXPECT_FALSE(testBoxBox(a, placed<Rect2D>(kSquare, {2.01f, 0.0f})).colliding);
    // Rotation does not turn an axis-aligned box.
    expectContact(testBoxBox(a, placed<Rect2D>(kSquare, {1.5f, 0.5f}, 45.0f)), {1.0f, 0.0f}, -0.5f);
    // The sign follows the min corners, not the centres.
    expectContact(
        testBoxBox(placed<Rect2D>({1.0f, 1.0f}, kOrigin), placed<Rect2D>({4.0f, 4.0f}, {0.2f, 0.2f})),
        {0.0f, 1.0f}, 1.0f);
}

TEST(ContactTest, OrientedOriented) {
    const auto a = placed<OBB>(kSquare, kOrigin);
    expectContact(testOrientedOriented(a, a), {1.0f, 0.0f}, 2.0f);
    expectContact(testOrientedOriented(a, placed<OBB>(kSquare, {1.5f, 0.2f})), {1.0f, 0.0f}, -0.5f);
    EXPECT_FALSE(testOrientedOriented(a, placed<OBB>(kSquare, {2.0f, 0.0f})).colliding); // touching
    EXPECT_FALSE(testOrientedOriented(a, placed<OBB>(kSquare, {3.0f, 0.0f})).colliding);

    // A diamond reaching x = sqrt(2) into a square whose left edge is at 1.2: B's x axis wins.
    const auto diamond = placed<OBB>(kSquare, kOrigin, 45.0f);
    expectContact(testOrientedOriented(diamond, placed<OBB>(kSquare, {2.2f, 0.0f})), {1.0f, 0.0f},
                  -(std::sqrt(2.0f) - 1.2f));
    // Bounding boxes overlap but the diagonal axis separates the two diamonds.
    EXPECT_FALSE(testOrientedOriented(diamond, placed<OBB>(kSquare, {1.6f, 1.6f}, 45.0f)).colliding);
    EXPECT_FALSE(testOrientedOriented(placed<OBB>({0.0f, 0.0f}, kOrigin), placed<OBB>({0.0f, 0.0f}, kOrigin))
                     .colliding);
}

TEST(ContactTest, OrientedBoxAndBoxOrientedAgreeUpToTheSign) {
    const auto tall = placed<OBB>({4.0f, 2.0f}, kOrigin, 90.0f);
    const auto box = placed<Rect2D>(kSquare, {1.5f, 0.0f});
    const ContactResult forward = testOrientedBox(tall, box);
    expectPush(forward, {-0.5f, 0.0f});
    const ContactResult backward = testBoxOriented(box, tall);
    ASSERT_TRUE(backward.colliding);
    EXPECT_EQ(backward.normal, forward.normal);
    EXPECT_EQ(backward.penetration, -forward.penetration);
    // A Rect2D far below the turned box's unturned extent still meets its turned length.
    expectPush(testOrientedBox(tall, placed<Rect2D>(kSquare, {0.0f, -2.5f})), {0.0f, 0.5f});

    const auto square = placed<OBB>(kSquare, kOrigin);
    expectContact(testOrientedBox(square, placed<Rect2D>(kSquare, {0.5f, 1.5f})), {0.0f, 1.0f}, -0.5f);
    expectContact(testBoxOriented(placed<Rect2D>(kSquare, {0.5f, 1.5f}), square), {0.0f, 1.0f}, 0.5f);
    EXPECT_FALSE(testOrientedBox(square, placed<Rect2D>(kSquare, {2.0f, 0.0f})).colliding);
    EXPECT_FALSE(testBoxOriented(placed<Rect2D>(kSquare, {3.0f, 0.0f}), square).colliding);
}

TEST(ContactTest, CircleCircle) {
    // Sizes are diameters: 6 and 6 reach 6 apart, the centres are 5 apart.
    const auto a = placed<Circle>({6.0f, 6.0f}, {3.0f, 4.0f});
    const auto b = placed<Circle>({6.0f, 6.0f}, kOrigin);
    expectContact(testCircleCircle(a, b), {0.6f, 0.8f}, 1.0f);
    expectContact(testCircleCircle(b, a), {-0.6f, -0.8f}, 1.0f);
    expectContact(testCircleCircle(placed<Circle>({4.0f, 4.0f}, {3.0f, 4.0f}), b), {0.6f, 0.8f}, 0.0f);
    EXPECT_FALSE(testCircleCircle(placed<Circle>({4.0f, 4.0f}, {3.0f, 4.1f}), b).colliding);
    expectContact(testCircleCircle(b, b), {0.0f, 1.0f}, 6.0f);
    // A circle ignores rotation, offset included.
    expectContact(testCircleCircle(placed<Circle>({6.0f, 6.0f}, {2.0f, 4.0f}, 90.0f, {1.0f, 0.0f}), b),
                  {0.6f, 0.8f}, 1.0f);
}

TEST(ContactTest, CircleAgainstBoxes) {
    const auto box = placed<Rect2D>(kSquare, kOrigin);
    const auto unit = [](glm::vec2 at) { return placed<Circle>(kSquare, at); }; // radius 1
    expectContact(testCircleBox(unit({0.0f, 1.5f}), box), {0.0f, 1.0f}, 0.5f);
    expectContact(testCircleBox(unit({1.3f, 1.4f}), box), {0.6f, 0.8f}, 0.5f);
    expectContact(testCircleBox(unit({1.6f, 1.8f}), box), {0.6f, 0.8f}, 0.0f);
    EXPECT_FALSE(testCircleBox(unit({1.7f, 1.8f}), box).colliding);
    expectContact(testCircleBox(unit({0.8f, 0.0f}), box), {1.0f, 0.0f}, 1.2f);
    expectContact(testCircleBox(unit(kOrigin), box), {0.0f, 1.0f}, 2.0f);
    expectContact(testBoxCircle(box, unit({1.3f, 1.4f})), {0.6f, 0.8f}, -0.5f);

    // A diamond's top corner is at y = sqrt(2).
    const auto diamond = placed<OBB>(kSquare, kOrigin, 45.0f);
    expectContact(testCircleOriented(unit({0.0f, std::sqrt(2.0f) + 0.5f}), diamond), {0.0f, 1.0f}, 0.5f);
    expectContact(testCircleOriented(unit({1.5f * kHalfRoot2, 1.5f * kHalfRoot2}), diamond),
                  {kHalfRoot2, kHalfRoot2}, 0.5f);
    EXPECT_FALSE(testCircleOriented(unit({0.0f, std::sqrt(2.0f) + 1.01f}), diamond).colliding);
    expectContact(testOrientedCircle(diamond, unit({1.5f * kHalfRoot2, 1.5f * kHalfRoot2})),
                  {kHalfRoot2, kHalfRoot2}, -0.5f);

    // The same offset on a turned entity: the OBB's moves to (0, 2), the Rect2D's stays at (2, 0).
    const auto atTop = unit({0.0f, 3.5f});
    expectPush(testCircleOriented(atTop, placed<OBB>(kSquare, kOrigin, 90.0f, {2.0f, 0.0f})), {0.0f, 0.5f});
    EXPECT_FALSE(testCircleBox(atTop, placed<Rect2D>(kSquare, kOrigin, 90.0f, {2.0f, 0.0f})).colliding);
}

TEST(ContactTest, TableReachesEveryPairAndRejectsBrokenShapes) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const Circle circle = placed<Circle>(kSquare, kOrigin);
    const Rect2D rect = placed<Rect2D>(kSquare, kOrigin);
    const OBB box = placed<OBB>(kSquare, kOrigin, 30.0f);
    const Circle lostCircle = placed<Circle>(kSquare, {nan, 0.0f});
    const Rect2D lostRect = placed<Rect2D>(kSquare, {0.0f, nan});
    const OBB lostBox = placed<OBB>(kSquare, kOrigin, nan);
    const OBB endlessBox = placed<OBB>({std::numeric_limits<float>::infinity(), 2.0f}, kOrigin, 30.0f);
    const Collider2D* shapes[] = {&circle, &rect, &box};
    const Collider2D* broken[] = {&lostCircle, &lostRect, &lostBox, &endlessBox};
    for (const Collider2D* a : shapes) {
        for (const Collider2D* b : shapes) {
            const ContactResult r = testContact(*a, *b);
            EXPECT_TRUE(r.colliding);
            EXPECT_TRUE(std::isfinite(r.normal.x) && std::isfinite(r.normal.y) &&
                        std::isfinite(r.penetration));
        }
        for (const Collider2D* b : broken) {
            EXPECT_FALSE(testContact(*a, *b).colliding);
            EXPECT_FALSE(testContact(*b, *a).colliding);
        }
    }
}
