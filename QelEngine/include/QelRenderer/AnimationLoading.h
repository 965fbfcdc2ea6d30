#pragma once

#include <cstddef>
#include <filesystem>

namespace Qel {

/// Counts of one animation folder load.
struct AnimationLoadCounts {
    size_t clips = 0;
    size_t controllers = 0;
};

/// Loads every ".anim" clip below folder, then every ".animcontroller" controller (controllers
/// find their clips by name, so clips come first), into their registries under their asset names.
/// Safe on a loading worker: the registries lock themselves. Returns how many files each loaded.
AnimationLoadCounts loadAnimationFolder(const std::filesystem::path& folder);

} // namespace Qel
