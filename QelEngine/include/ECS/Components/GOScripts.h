#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace Qel {

/// Component: the Lua scripts of an entity, by the name hashes of the script assets. The script
/// system joins them, in slot order, into one Lua state per entity.
struct GOScripts {
    static constexpr size_t kMaxScripts = 7;

    /// Flag bits. canBuild and the two allow bits come from files; the rest belong to the script
    /// system, which sets them when it builds the entity's script.
    static constexpr uint64_t kCanBuild = 1u << 1;
    static constexpr uint64_t kAllowDisabledTrigger = 1u << 2;
    static constexpr uint64_t kAllowPausedUpdate = 1u << 3;
    static constexpr uint64_t kHasOnInit = 1u << 4;
    static constexpr uint64_t kHasOnUpdate = 1u << 5;
    static constexpr uint64_t kHasOnCollide = 1u << 6;
    static constexpr uint64_t kHasOnTrigger = 1u << 7;
    static constexpr uint64_t kHasScriptTag = 1u << 8;

    /// Script keys in slot order; the first 0 ends the list.
    std::array<uint64_t, kMaxScripts> scripts{};
    uint64_t flags = 0;
};

} // namespace Qel
