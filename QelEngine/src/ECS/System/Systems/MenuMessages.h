#pragma once

#include "messaging/Message.h"

#include <cstdint>
#include <span>
#include <string_view>

namespace Qel {

/// The audio manager's receiver key: the hash of its type name.
uint64_t audioManagerKey();

/// Queues the argument-less message `name` for `receiver`; nothing without a MessageManager.
void queueMessage(std::string_view name, uint64_t receiver);
/// The sound the menus play when they switch panels.
inline constexpr const char* kTabSound = "SwappingTabs/SwabTabs";
/// Queues "playMFX" with kTabSound.
void playTabSound();

/// Adds `handler` for each of `names` on the broadcast receiver (adding it again changes nothing).
/// Strong assertion without a MessageManager: a menu that hears no button is a dead end.
void listenOnBroadcast(std::span<const char* const> names, MessageHandler handler);

} // namespace Qel
