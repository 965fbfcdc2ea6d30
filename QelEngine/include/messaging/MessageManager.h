#pragma once

#include "QelCore/Singleton.h"
#include "messaging/BroadcastReceiver.h"
#include "messaging/Message.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <shared_mutex>
#include <unordered_map>
#include <vector>

namespace Qel {

/// Routes named messages to receivers. A receiver key is the name hash of a system's or
/// manager's type name, or of a fixed receiver name; key 0 is the broadcast receiver.
/// Messages are queued until dispatchAll (once per frame) or delivered at once.
///
/// Registration, removal, queued sends and dispatchAll belong to the main thread, but every
/// operation is safe to call from any thread: the loading threads deliver texture uploads at
/// once while the main thread keeps running.
class MessageManager : public Singleton<MessageManager> {
public:
    static constexpr uint64_t kBroadcast = 0;

    MessageManager() = default;
    /// Destroys every queued message and every receiver.
    ~MessageManager() override = default;

    /// The receiver for key, created empty when there is none. The pointer stays valid until
    /// removeReceiver(key) or the manager's destruction.
    BroadcastReceiver* getReceiver(uint64_t key);
    /// The receiver for key, or nullptr; never creates one.
    BroadcastReceiver* findReceiver(uint64_t key) const;
    /// Erases the receiver and all its handlers; messages still queued for key are dropped.
    /// Safe from inside one of that receiver's handlers. Nothing happens when there is none.
    void removeReceiver(uint64_t key);

    /// Queues message for the receiver of key until the next dispatchAll; the manager owns it
    /// from now on. A null message is ignored.
    void send(std::unique_ptr<Message> message, uint64_t key);
    /// Delivers message at once, on the calling thread, to the receiver of key; the caller keeps
    /// the message. Returns how many handlers ran: 0 when there is no such receiver (the message
    /// is then dropped), so a sender that hands over a resource knows nobody took it.
    size_t sendImmediate(Message& message, uint64_t key);
    /// Delivers every queued message, in the order sent, to the receiver registered under its key
    /// at that moment, then destroys it. Messages without a receiver are destroyed undelivered.
    /// Messages that handlers send meanwhile wait for the next call.
    void dispatchAll();

private:
    struct QueuedMessage {
        uint64_t key;
        std::unique_ptr<Message> message;
    };

    std::shared_ptr<BroadcastReceiver> receiverFor(uint64_t key) const;

    std::mutex queueMutex;
    std::vector<QueuedMessage> queue;
    // Receivers are shared so that a delivery in progress keeps its receiver alive when a
    // handler, or another thread, removes it meanwhile.
    mutable std::shared_mutex receiversMutex;
    std::unordered_map<uint64_t, std::shared_ptr<BroadcastReceiver>> receivers;
};

} // namespace Qel
