#include "messaging/BroadcastReceiver.h"

#include <algorithm>

namespace Qel {

bool BroadcastReceiver::addHandler(uint64_t messageHash, MessageHandler handler) {
    if (!handler) return false;
    std::lock_guard lock(mutex);
    std::shared_ptr<const HandlerList>& list = handlers[messageHash];
    if (list && std::find(list->begin(), list->end(), handler) != list->end()) return false;
    auto extended = list ? std::make_shared<HandlerList>(*list) : std::make_shared<HandlerList>();
    extended->push_back(handler);
    list = std::move(extended);
    return true;
}

size_t BroadcastReceiver::dispatch(Message& message) const {
    std::shared_ptr<const HandlerList> list;
    {
        std::lock_guard lock(mutex);
        auto found = handlers.find(message.hash);
        if (found == handlers.end()) return 0;
        list = found->second;
    }
    for (MessageHandler handler : *list)
        handler(message);
    return list->size();
}

} // namespace Qel
