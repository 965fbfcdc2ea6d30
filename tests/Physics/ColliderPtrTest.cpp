#include "Physics/ColliderPtr.h"
#include "Physics/Circle.h"
#include "Physics/OBB.h"

#include <gtest/gtest.h>

using namespace Qel;

namespace {
void hook(Entity*, Entity*) {}

ColliderPtr triggerCircle() {
    auto shape = std::make_unique<Circle>();
    shape->setScale({3.0f, 3.0f});
    shape->isTrigger = true;
    shape->onTriggerEnter = hook;
    return ColliderPtr(std::move(shape), "Circle");
}
} // namespace

TEST(ColliderPtr, CopyOwnsItsOwnCloneAndKeepsTheTriggerFlag) {
    const ColliderPtr original = triggerCircle();
    ColliderPtr copy = original;
    ASSERT_NE(copy.collider, nullptr);
    EXPECT_NE(copy.collider.get(), original.collider.get());
    EXPECT_EQ(copy.type, "Circle");
    EXPECT_EQ(copy.collider->getType(), ColliderType::Circle);
    EXPECT_EQ(static_cast<Circle&>(*copy.collider).radius, 3.0f);
    EXPECT_TRUE(copy.collider->isTrigger);
    EXPECT_EQ(copy.collider->onTriggerEnter, nullptr);

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

    ColliderPtr moved = std::move(copy);
    EXPECT_EQ(moved.collider->getType(), ColliderType::Circle);

    const ColliderPtr empty;
    const ColliderPtr emptyCopy = empty;
    EXPECT_EQ(emptyCopy.collider, nullptr);
}
