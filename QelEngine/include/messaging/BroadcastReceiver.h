#pragma once

#include "messaging/Message.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <vector>

namespace Qel {

/// The handlers of one addressee, by message name hash. Handlers of one message run in the order
/// they were added. Dispatching is safe from several threads at once and while handlers are added.
class BroadcastReceiver {
public:
    /// Appends handler after those already registered for messageHash. A null handler, or one
    /// already registered for that hash, is ignored. Returns whether it was added.
    bool addHandler(uint64_t messageHash, MessageHandler handler);

    /// Calls, in order, every handler registered for message.hash; returns how many ran.
    size_t dispatch(Message& message) const;

private:
    using HandlerList = std::vector<MessageHandler>;

    // A list is replaced on every addition, never changed in place: dispatch runs its snapshot
    // without holding the lock, so a handler may add handlers, send messages or remove this
    // receiver, and a loading thread's delivery never waits for a handler on another thread.
    mutable std::mutex mutex;
    std::unordered_map<uint64_t, std::shared_ptr<const HandlerList>> handlers;
};

} // namespace Qel
