#pragma once

namespace Qel {

/// One cell of the navigation grid together with the path search's bookkeeping for it.
/// A default node is the "empty" node: no parent and every cost unknown.
struct GridNode {
    /// Path-search cost meaning "not reached yet".
    static constexpr int kUnknownCost = 100000;

    bool blocked = false;
    /// Cell indices: column and row.
    int x = 0;
    int y = 0;
    /// Path-search costs, 10 per step: f = g + h.
    int f = kUnknownCost;
    int g = kUnknownCost;
    int h = kUnknownCost;
    /// Cell the search reached this one from; -1 for none.
    int parentX = -1;
    int parentY = -1;
    bool closed = false;
};

} // namespace Qel
