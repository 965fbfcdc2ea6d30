#include "messaging/MessageManager.h"

namespace Qel {

BroadcastReceiver* MessageManager::getReceiver(uint64_t key) {
    std::unique_lock lock(receiversMutex);
    std::shared_ptr<BroadcastReceiver>& receiver = receivers[key];
    if (!receiver) receiver = std::make_shared<BroadcastReceiver>();
    return receiver.get();
}

BroadcastReceiver* MessageManager::findReceiver(uint64_t key) const {
    return receiverFor(key).get();
}

void MessageManager::removeReceiver(uint64_t key) {
    std::unique_lock lock(receiversMutex);
    receivers.erase(key);
}

void MessageManager::send(std::unique_ptr<Message> message, uint64_t key) {
    if (!message) return;
    std::lock_guard lock(queueMutex);
    queue.push_back({key, std::move(message)});
}

size_t MessageManager::sendImmediate(Message& message, uint64_t key) {
    std::shared_ptr<BroadcastReceiver> receiver = receiverFor(key);
    return receiver ? receiver->dispatch(message) : 0;
}

void MessageManager::dispatchAll() {
    std::vector<QueuedMessage> round;
    {
        std::lock_guard lock(queueMutex);
        round.swap(queue);
    }
    // The receiver is looked up per message, so one removed by an earlier handler of this round
    // gets nothing more.
    for (QueuedMessage& entry : round) {
        if (std::shared_ptr<BroadcastReceiver> receiver = receiverFor(entry.key)) {
            receiver->dispatch(*entry.message);
        }
    }
}

std::shared_ptr<BroadcastReceiver> MessageManager::receiverFor(uint64_t key) const {
    std::shared_lock lock(receiversMutex);
    auto found = receivers.find(key);
    return found == receivers.end() ? nullptr : found->second;
}

} // namespace Qel
