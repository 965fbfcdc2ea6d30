#pragma once

#include "CheckContext.h"

namespace Qel::Check {

// One checker per kind of content file, each in its own file. A new kind (sounds, scripts, menu
// data) adds its file and one line to kKinds.

void checkSidecars(CheckContext& context);
void checkMeshes(CheckContext& context);
void checkCursors(CheckContext& context);
void checkClips(CheckContext& context);
void checkControllers(CheckContext& context);
void checkPrefabs(CheckContext& context);
void checkScenes(CheckContext& context);

/// In reading order: what a later kind names is loaded by an earlier one, as at start-up (clips
/// before the controllers that play them, controllers and prefabs before the scenes that use them).
inline constexpr void (*kKinds[])(CheckContext&) = {
    checkSidecars, checkMeshes, checkCursors, checkClips, checkControllers, checkPrefabs, checkScenes,
};

} // namespace Qel::Check
