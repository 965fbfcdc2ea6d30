#include "ECS/System/Systems/MenuMessages.h"

#include "QelCore/StrongAssert.h"
#include "data/NameHash.h"
#include "messaging/BroadcastReceiver.h"
#include "messaging/MessageManager.h"

#include <memory>

namespace Qel {

uint64_t audioManagerKey() {
    return hashName("AudioManager");
}

void queueMessage(std::string_view name, uint64_t receiver) {
    if (MessageManager* messages = MessageManager::instance())
        messages->send(std::make_unique<Message>(hashName(name)), receiver);
}

void playTabSound() {
    if (MessageManager* messages = MessageManager::instance())
        messages->send(std::make_unique<MessageArgs<uint64_t>>(hashName("playMFX"), hashName(kTabSound)),
                       audioManagerKey());
}

void listenOnBroadcast(std::span<const char* const> names, MessageHandler handler) {
    MessageManager* messages = MessageManager::instance();
    QEL_ASSERT(messages, "MessageManager not ready!");
    BroadcastReceiver* receiver = messages->getReceiver(MessageManager::kBroadcast);
    for (const char* name : names)
        receiver->addHandler(hashName(name), handler);
}

} // namespace Qel
