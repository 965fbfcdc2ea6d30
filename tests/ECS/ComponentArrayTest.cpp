#include "ECS/ComponentArray.h"

#include <gtest/gtest.h>

#include <memory>

using namespace Qel;

namespace {
// The token shows whether some slot still keeps a removed value alive.
struct Tracked {
    int value = 0;
    std::shared_ptr<int> token;
};
} // namespace

TEST(ComponentArrayTest, SwapWithLastKeepsBothMapsAndClearsTheVacatedSlot) {
    ComponentArray<Tracked, 8> array;
    auto middle = std::make_shared<int>(0);
    auto last = std::make_shared<int>(0);
    array.InsertData(10, {1, nullptr});
    array.InsertData(11, {2, middle});
    array.InsertData(12, {3, last});

    array.EntityDestroyed(11);
    ASSERT_EQ(array.Size(), 2u);
    EXPECT_FALSE(array.Has(11));
    EXPECT_EQ(array.EntityAt(1), 12u);
    EXPECT_EQ(&array.GetData(12), &array.Packed()[1]);
    EXPECT_EQ(array.GetData(12).value, 3);
    EXPECT_EQ(middle.use_count(), 1);

    array.EntityDestroyed(11); // not there any more: nothing changes
    array.EntityDestroyed(12);
    array.EntityDestroyed(10);
    EXPECT_EQ(array.Size(), 0u);
    EXPECT_EQ(array.EntityAt(0), MAX_ENTITIES);
    EXPECT_EQ(last.use_count(), 1) << "a vacated slot kept a stale value";
}

TEST(ComponentArrayTest, SecondInsertReplacesAndAMissingReadIsScratch) {
    ComponentArray<Tracked, 2> array;
    EXPECT_TRUE(array.InsertData(1, {1, nullptr}));
    EXPECT_TRUE(array.InsertData(1, {9, nullptr}));
    EXPECT_EQ(array.Size(), 1u);
    EXPECT_EQ(array.GetData(1).value, 9);

    array.GetData(4).value = 99;
    EXPECT_FALSE(array.Has(4));
    EXPECT_EQ(array.GetData(5).value, 0) << "scratch writes leaked to the next caller";
    EXPECT_EQ(array.GetData(1).value, 9);
}
