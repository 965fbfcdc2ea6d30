#pragma once

#include "CheckContext.h"

#include "ECS/Entity.h"

#include <span>

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
void checkSounds(CheckContext& context);
void checkScripts(CheckContext& context);
void checkMenus(CheckContext& context);

/// Checks what `file` (a scene or menu data file) built against the menus that drive it: every
/// button's message is one a menu takes, and every slot the menus bind in that file names exactly
/// one of its entities.
void checkMenuEntities(CheckContext& context, const std::filesystem::path& file,
                       std::span<const Entity> built);

/// In reading order: what a later kind names is loaded by an earlier one, as at start-up (clips
/// before the controllers that play them, controllers and prefabs before the scenes that use them,
/// prefabs before the menus built from them).
inline constexpr void (*kKinds[])(CheckContext&) = {
    checkSidecars, checkMeshes,      checkCursors, checkSounds, checkScripts,
    checkClips,    checkControllers, checkPrefabs, checkScenes, checkMenus,
};

} // namespace Qel::Check
