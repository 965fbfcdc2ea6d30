#pragma once

#include <cstdint>
#include <string_view>

namespace Qel {

/// 64-bit FNV-1a over the name's bytes, each byte sign-extended before the XOR (so bytes above
/// 127 hash as negative chars do). Keys assets, messages, receivers, type names and console words.
constexpr uint64_t hashName(std::string_view name) {
    uint64_t hash = 0xcbf29ce484222325ULL;
    for (char c : name) {
        hash ^= static_cast<uint64_t>(static_cast<int64_t>(static_cast<signed char>(c)));
        hash *= 0x100000001b3ULL;
    }
    return hash;
}

} // namespace Qel
