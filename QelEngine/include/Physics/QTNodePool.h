#pragma once

#include "ECS/Entity.h"

#include <glm/vec2.hpp>

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>

namespace Qel {

/// One quadtree node: its region (world units), its quadrants, and while it is a leaf the head
/// of its entry list (an index into the owning tree's entries).
struct QTNode {
    static constexpr uint32_t kNoEntry = UINT32_MAX;

    glm::vec2 min{0.0f};
    glm::vec2 max{0.0f};
    /// All null or all set, in the order top-left, top-right, bottom-right, bottom-left.
    std::array<QTNode*, 4> children{};
    uint32_t firstEntry = kNoEntry;
    uint32_t count = 0;
    int32_t depth = 0;

    bool isLeaf() const { return children[0] == nullptr; }
    glm::vec2 centre() const { return (min + max) * 0.5f; }
    glm::vec2 size() const { return max - min; }
};

/// Fixed store of quadtree nodes, made once: enough for a full tree of depth 8. Nodes are handed
/// out from a free list and taken back by address, so a step allocates nothing.
class QTNodePool {
public:
    /// 1 + 4 + 4^2 + ... + 4^8.
    static constexpr size_t kCapacity = 87381;

    QTNodePool();

    /// The process-wide pool every physics step uses.
    static QTNodePool& shared();

    /// A reset node, or null when the pool is empty.
    QTNode* acquire();
    /// Takes a node back, reset. Pointers that are not one of this pool's nodes are ignored.
    void release(QTNode* node);

    size_t available() const { return freeCount; }

private:
    std::unique_ptr<QTNode[]> nodes;
    std::unique_ptr<QTNode*[]> freeList;
    size_t freeCount = 0;
};

} // namespace Qel
