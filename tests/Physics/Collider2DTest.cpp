#include "Physics/Circle.h"
#include "Physics/ColliderPtr.h"
#include "Physics/OBB.h"
#include "Physics/Rect2D.h"
#include "PlacedShape.h"

#include <gtest/gtest.h>

using namespace Qel;

namespace {
constexpr float kTol = 1e-5f;

void expectNear(glm::vec2 actual, glm::vec2 expected) {
    EXPECT_NEAR(actual.x, expected.x, kTol);
    EXPECT_NEAR(actual.y, expected.y, kTol);
}

void hook(Entity*, Entity*) {}

ColliderPtr triggerCircle() {
    auto shape = std::make_unique<Circle>();
    shape->setScale({3.0f, 3.0f});
    shape->isTrigger = true;
    return ColliderPtr(std::move(shape), "Circle");
}
} // namespace

TEST(Collider2D, SizesFollowSetScaleMirroredSizesStayPositiveACirclesBoxHasItsOffset) {
    Circle circle;
    circle.setScale({3.0f, 7.0f});
    EXPECT_EQ(circle.radius, 3.0f);
    EXPECT_NEAR(circle.getArea(), 3.1415927f * 9.0f, kTol);

    Rect2D rect;
    rect.setScale({4.0f, 2.0f});
    rect.update({1.0f, 1.0f}, 0.0f);
    expectNear(rect.min, {-1.0f, 0.0f});
    expectNear(rect.max, {3.0f, 2.0f});

    Rect2D mirroredRect = placed<Rect2D>({-4.0f, 2.0f}, {1.0f, 1.0f});
    expectNear(mirroredRect.min, rect.min);
    expectNear(mirroredRect.max, rect.max);
    EXPECT_EQ(mirroredRect.getArea(), 8.0f);

    OBB box;
    box.setScale({-4.0f, 2.0f});
    expectNear(box.halfExtents, {2.0f, 1.0f});
    EXPECT_EQ(box.getArea(), 8.0f);

    // The broad phase finds a circle by its box, offset included.
    const Rect2D bounds = placed<Circle>({2.0f, 2.0f}, {3.0f, 4.0f}, 0.0f, {0.5f, 0.0f}).getAABB();
    expectNear(bounds.min, {2.5f, 3.0f});
    expectNear(bounds.max, {4.5f, 5.0f});
}

TEST(Collider2D, CloneKeepsGeometryAndStartsWithAFreshContactState) {
    Circle circle = placed<Circle>({3.0f, 3.0f}, {1.0f, 2.0f}, 0.0f, {0.5f, 0.5f});
    Rect2D rect = placed<Rect2D>({3.0f, 1.0f}, {1.0f, 2.0f}, 0.0f, {0.5f, 0.5f});
    OBB box = placed<OBB>({3.0f, 1.0f}, {1.0f, 2.0f}, 30.0f, {0.5f, 0.5f});
    for (Collider2D* shape : {static_cast<Collider2D*>(&circle), static_cast<Collider2D*>(&rect),
                              static_cast<Collider2D*>(&box)}) {
        shape->isTrigger = true;
        shape->wasColliding = true;
        shape->otherEntity = 42;
        shape->onCollisionEnter = hook;
        shape->onTriggerExit = hook;
        const std::unique_ptr<Collider2D> copy = shape->clone();
        EXPECT_EQ(copy->getType(), shape->getType());
        EXPECT_EQ(copy->position, shape->position);
        EXPECT_EQ(copy->scale, shape->scale);
        EXPECT_EQ(copy->offset, shape->offset);
        EXPECT_FALSE(copy->isTrigger);
        EXPECT_FALSE(copy->wasColliding);
        EXPECT_EQ(copy->otherEntity, MAX_ENTITIES);
        EXPECT_EQ(copy->onCollisionEnter, nullptr);
        EXPECT_EQ(copy->onTriggerExit, nullptr);
    }
    EXPECT_EQ(static_cast<Circle&>(*circle.clone()).radius, 3.0f);
    EXPECT_EQ(static_cast<OBB&>(*box.clone()).axisX, box.axisX);
}

TEST(ColliderPtr, CopyOwnsItsOwnCloneAndKeepsTheTriggerFlag) {
    const ColliderPtr original = triggerCircle();
    ColliderPtr copy = original;
    ASSERT_NE(copy.collider, nullptr);
    EXPECT_NE(copy.collider.get(), original.collider.get());
    EXPECT_EQ(copy.type, "Circle");
    EXPECT_TRUE(copy.collider->isTrigger);

    copy.collider->setScale({5.0f, 5.0f});
    EXPECT_EQ(static_cast<Circle&>(*original.collider).radius, 3.0f);

    ColliderPtr box(std::make_unique<OBB>(), "OBB");
    box = original; // the OBB is released, a new circle cloned
    EXPECT_EQ(box.collider->getType(), ColliderType::Circle);
    EXPECT_NE(box.collider.get(), original.collider.get());
    const Collider2D* before = box.collider.get();
    const ColliderPtr& self = box;
    box = self;
    EXPECT_EQ(box.collider.get(), before);

    const ColliderPtr empty;
    const ColliderPtr emptyCopy = empty;
    EXPECT_EQ(emptyCopy.collider, nullptr);
}
