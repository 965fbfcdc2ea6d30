#include "Physics/Quadtree.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace Qel {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

QTBox around(glm::vec2 centre, float half = 0.25f) {
    return {centre - half, centre + half};
}

class QuadtreeTest : public ::testing::Test {
protected:
    void SetUp() override { tree.reset({{0.0f, 0.0f}, {16.0f, 16.0f}}); }

    std::vector<Entity> query(const QTBox& box) const {
        std::vector<Entity> ids{99};
        tree.query(box, ids);
        return ids;
    }
    std::vector<QTNode> leaves() const {
        std::vector<QTNode> found;
        tree.forEachLeaf([&](const QTNode& leaf) { found.push_back(leaf); });
        return found;
    }

    std::unique_ptr<QTNodePool> pool = std::make_unique<QTNodePool>();
    Quadtree tree{*pool};
};

TEST_F(QuadtreeTest, SevenBoxesInOneQuadrantSplitThatQuadrantOnly) {
    for (Entity id = 0; id < 7; ++id)
        tree.insert(id, around({1.0f + id, 12.0f}));
    // The root's first child is its top-left quadrant, which split once more; the others are empty.
    std::vector<QTNode> all = leaves();
    ASSERT_EQ(all.size(), 7u);
    EXPECT_EQ(all[0].depth, 2);
    EXPECT_EQ(all[4].count + all[5].count + all[6].count, 0u);
    EXPECT_THAT(query({{0.0f, 0.0f}, {16.0f, 16.0f}}), ElementsAre(0, 1, 2, 3, 4, 5, 6));
    EXPECT_THAT(query({{9.0f, 9.0f}, {15.0f, 15.0f}}), IsEmpty());
    // A leaf's other entries that the box misses are not returned.
    EXPECT_THAT(query(around({1.0f, 12.0f})), ElementsAre(0));
}

TEST_F(QuadtreeTest, ABoxAcrossQuadrantsIsHeldByEachButReturnedOnce) {
    for (Entity id = 0; id < 6; ++id)
        tree.insert(id, around({2.0f, 2.0f + id}));
    tree.insert(42, around({8.0f, 8.0f}, 1.0f));
    // Found from each quadrant it reaches into.
    for (float corner : {7.2f, 8.8f})
        EXPECT_THAT(query(around({corner, corner}, 0.1f)), ElementsAre(42)) << corner;
    EXPECT_THAT(query(around({8.0f, 8.0f}, 7.9f)), ElementsAre(0, 1, 2, 3, 4, 5, 42));
}

TEST_F(QuadtreeTest, ACrowdAtTheDepthLimitIsNeverDropped) {
    for (Entity id = 10; id < 17; ++id)
        tree.insert(id, around({3.0f, 3.0f}, 0.01f));
    EXPECT_THAT(query(around({3.0f, 3.0f}, 0.01f)), ElementsAre(10, 11, 12, 13, 14, 15, 16));
    int deepest = 0;
    tree.forEachLeaf([&](const QTNode& leaf) { deepest = std::max(deepest, leaf.depth); });
    EXPECT_EQ(deepest, Quadtree::kMaxDepth);
}

TEST_F(QuadtreeTest, NothingOutsideTheRootIsStoredOrFound) {
    tree.insert(1, around({-5.0f, -5.0f}));
    tree.insert(2, around({5.0f, 5.0f}));
    EXPECT_THAT(query(around({-5.0f, -5.0f})), IsEmpty());
    EXPECT_THAT(query(around({20.0f, 5.0f})), IsEmpty());
    EXPECT_THAT(query(around({5.0f, 5.0f})), ElementsAre(2));
}

TEST_F(QuadtreeTest, EveryNodeGoesBackToThePoolReset) {
    for (Entity id = 0; id < 40; ++id)
        tree.insert(id, around({0.3f * id, 0.35f * id}));
    EXPECT_LT(pool->available(), QTNodePool::kCapacity - 4);
    tree.clear();
    EXPECT_EQ(pool->available(), QTNodePool::kCapacity);
    EXPECT_THAT(query(around({1.0f, 1.0f})), IsEmpty());

    // The root went back last, so it comes out first, as good as new.
    const QTNode* reused = pool->acquire();
    EXPECT_TRUE(reused->isLeaf());
    EXPECT_EQ(reused->count, 0u);
    EXPECT_EQ(reused->firstEntry, QTNode::kNoEntry);
    QTNode stranger;
    pool->release(&stranger);
    pool->release(reinterpret_cast<QTNode*>(reinterpret_cast<char*>(pool->acquire()) + 4));
    EXPECT_EQ(pool->available(), QTNodePool::kCapacity - 2);
}

} // namespace
} // namespace Qel
