#include "Physics/Quadtree.h"

#include "QelCore/StrongAssert.h"

#include <algorithm>
#include <array>

namespace Qel {

namespace {
QTBox regionOf(const QTNode& node) {
    return {node.min, node.max};
}
} // namespace

Quadtree::Quadtree(QTNodePool& pool) : pool(pool) {}

Quadtree::~Quadtree() {
    clear();
}

void Quadtree::reset(const QTBox& region) {
    clear();
    root = pool.acquire();
    if (!root) QEL_STRONG_ASSERT("node pool returned nullptr");
    root->min = region.min;
    root->max = region.max;
}

void Quadtree::insert(Entity id, const QTBox& box) {
    if (root) insertInto(root, id, box);
}

void Quadtree::insertInto(QTNode* node, Entity id, const QTBox& box) {
    if (apart(regionOf(*node), box)) return;
    if (node->isLeaf()) {
        // A full leaf at the depth limit keeps growing: dropping the entry would make the body
        // invisible to every query of that region.
        if (node->count < kLeafCapacity || node->depth >= kMaxDepth) {
            append(node, id, box);
            return;
        }
        split(node);
    }
    for (QTNode* child : node->children)
        insertInto(child, id, box);
}

void Quadtree::append(QTNode* node, Entity id, const QTBox& box) {
    entries.push_back({id, box, node->firstEntry});
    node->firstEntry = static_cast<uint32_t>(entries.size() - 1);
    ++node->count;
}

void Quadtree::split(QTNode* node) {
    const glm::vec2 c = node->centre();
    const glm::vec2 quarter = node->size() * 0.25f;
    const glm::vec2 centres[4] = {{c.x - quarter.x, c.y + quarter.y},
                                  {c.x + quarter.x, c.y + quarter.y},
                                  {c.x + quarter.x, c.y - quarter.y},
                                  {c.x - quarter.x, c.y - quarter.y}};
    for (int i = 0; i < 4; ++i) {
        QTNode* child = pool.acquire();
        if (!child) QEL_STRONG_ASSERT("node pool returned nullptr");
        child->min = centres[i] - quarter;
        child->max = centres[i] + quarter;
        child->depth = node->depth + 1;
        node->children[i] = child;
    }
    // Copied out first: the children's appends may move the entry store.
    for (uint32_t at = node->firstEntry; at != QTNode::kNoEntry;) {
        const Entry entry = entries[at];
        for (QTNode* child : node->children)
            insertInto(child, entry.id, entry.box);
        at = entry.next;
    }
    node->firstEntry = QTNode::kNoEntry;
    node->count = 0;
}

void Quadtree::query(const QTBox& box, std::vector<Entity>& out) const {
    out.clear();
    if (!root || apart(regionOf(*root), box)) return;
    // Iterative: a query runs once per moving body per step, and most of its time is the walk.
    std::array<const QTNode*, 4 * kMaxDepth + 1> pending;
    size_t count = 0;
    pending[count++] = root;
    while (count > 0) {
        const QTNode* node = pending[--count];
        if (node->isLeaf()) {
            // Entries of a shared leaf whose own boxes miss the query cannot touch the querying body.
            for (uint32_t at = node->firstEntry; at != QTNode::kNoEntry; at = entries[at].next)
                if (!apart(entries[at].box, box)) out.push_back(entries[at].id);
            continue;
        }
        for (const QTNode* child : node->children)
            if (!apart(regionOf(*child), box)) pending[count++] = child;
    }
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
}

void Quadtree::clear() {
    if (root) {
        releaseBelow(root);
        pool.release(root);
        root = nullptr;
    }
    entries.clear();
}

void Quadtree::releaseBelow(QTNode* node) {
    if (node->isLeaf()) return;
    for (QTNode* child : node->children) {
        releaseBelow(child);
        pool.release(child);
    }
}

} // namespace Qel
