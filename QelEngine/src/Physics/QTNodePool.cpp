#include "Physics/QTNodePool.h"

#include <cstdint>
#include <functional>

namespace Qel {

QTNodePool::QTNodePool()
    : nodes(std::make_unique<QTNode[]>(kCapacity)), freeList(std::make_unique<QTNode*[]>(kCapacity)) {
    // Handed out from the front of the array first, which keeps a young tree's nodes close.
    for (size_t i = 0; i < kCapacity; ++i)
        freeList[i] = &nodes[kCapacity - 1 - i];
    freeCount = kCapacity;
}

QTNodePool& QTNodePool::shared() {
    static QTNodePool pool;
    return pool;
}

QTNode* QTNodePool::acquire() {
    return freeCount == 0 ? nullptr : freeList[--freeCount];
}

void QTNodePool::release(QTNode* node) {
    const auto address = reinterpret_cast<std::uintptr_t>(node);
    const auto first = reinterpret_cast<std::uintptr_t>(nodes.get());
    if (std::less<>{}(node, nodes.get()) || !std::less<>{}(node, nodes.get() + kCapacity)) return;
    if ((address - first) % sizeof(QTNode) != 0 || freeCount == kCapacity) return;
    *node = QTNode{};
    freeList[freeCount++] = node;
}

} // namespace Qel
