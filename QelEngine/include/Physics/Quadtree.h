#pragma once

#include "ECS/Entity.h"
#include "Physics/QTNodePool.h"

#include <glm/vec2.hpp>

#include <cstdint>
#include <vector>

namespace Qel {

/// An axis-aligned box in world units, as the broad phase stores it.
struct QTBox {
    glm::vec2 min{0.0f};
    glm::vec2 max{0.0f};
};

/// Broad phase rebuilt every physics step: colliders' bounding boxes go in, each moving body asks
/// for the entities whose boxes share a leaf with its own. Nodes come from a QTNodePool and all
/// go back by clear() (or the destructor); the entry store keeps its capacity between steps.
class Quadtree {
public:
    /// A leaf splits when a seventh entry arrives...
    static constexpr uint32_t kLeafCapacity = 6;
    /// ...unless it is this deep; then it grows instead.
    static constexpr int32_t kMaxDepth = 8;

    explicit Quadtree(QTNodePool& pool = QTNodePool::shared());
    ~Quadtree();
    Quadtree(const Quadtree&) = delete;
    Quadtree& operator=(const Quadtree&) = delete;

    /// Releases any previous tree and starts an empty one over `region`.
    void reset(const QTBox& region);
    /// Stores the entry in every leaf whose region the box overlaps (touching counts). A box
    /// outside the root is not stored.
    void insert(Entity id, const QTBox& box);
    /// Ids of the entries whose boxes overlap `box` (touching counts), sorted, each once. Replaces
    /// `out`.
    void query(const QTBox& box, std::vector<Entity>& out) const;
    /// Returns every node to the pool, children before their parent, the root last.
    void clear();

    /// Calls fn(leaf) for every leaf, depth first.
    template <class Fn> void forEachLeaf(Fn&& fn) const {
        if (root) visitLeaves(root, fn);
    }

private:
    struct Entry {
        Entity id;
        QTBox box;
        uint32_t next;
    };

    void insertInto(QTNode* node, Entity id, const QTBox& box);
    void append(QTNode* node, Entity id, const QTBox& box);
    void split(QTNode* node);
    void releaseBelow(QTNode* node);

    template <class Fn> static void visitLeaves(const QTNode* node, Fn& fn) {
        if (node->isLeaf()) {
            fn(*node);
            return;
        }
        for (const QTNode* child : node->children)
            visitLeaves(child, fn);
    }

    QTNodePool& pool;
    QTNode* root = nullptr;
    /// Every entry of the current tree; a split leaves its old entries here unused until reset.
    std::vector<Entry> entries;
};

/// True when the boxes do not overlap; boxes that only touch overlap.
inline bool apart(const QTBox& a, const QTBox& b) {
    return a.min.x > b.max.x || b.min.x > a.max.x || a.min.y > b.max.y || b.min.y > a.max.y;
}

} // namespace Qel
