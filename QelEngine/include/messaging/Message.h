#pragma once

#include <cstdint>
#include <tuple>
#include <utility>

namespace Qel {

/// A named message without arguments; also the base every argument pack derives from.
/// Messages are compared only by hash, the name hash (hashName) of the message's name.
class Message {
public:
    explicit Message(uint64_t messageHash) : hash(messageHash) {}
    virtual ~Message() = default;

    /// The arguments when this message carries exactly the pack Ts... (same types, same order);
    /// otherwise logs the mismatch and returns nullptr, so a handler can ignore a message that a
    /// script built with other argument types instead of reading it as the wrong type.
    template <class... Ts> std::tuple<Ts...>* argsAs();

    uint64_t hash;
};

/// A message with a typed argument tuple, for example MessageArgs<int, int> for "windowResized".
template <class... Ts> class MessageArgs final : public Message {
public:
    explicit MessageArgs(uint64_t messageHash, Ts... values)
        : Message(messageHash), args(std::move(values)...) {}

    std::tuple<Ts...> args;
};

/// A message handler: a plain function, registered per receiver and per message name.
using MessageHandler = void (*)(Message&);

/// Logs that the message with this name hash does not carry the arguments its handler reads.
void logArgumentMismatch(uint64_t messageHash);

template <class... Ts> std::tuple<Ts...>* Message::argsAs() {
    if (auto* typed = dynamic_cast<MessageArgs<Ts...>*>(this)) return &typed->args;
    logArgumentMismatch(hash);
    return nullptr;
}

} // namespace Qel
