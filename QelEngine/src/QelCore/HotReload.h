#pragma once

#include <cstddef>

namespace Qel {

/// What one content reload found, counted in files.
struct ReloadReport {
    size_t changed = 0;
    size_t failed = 0;
    size_t unchanged = 0;
    /// Whether the current scene file reads well, so a restart can rebuild the scene from it.
    bool sceneReadable = false;
};

/// Re-reads from "../Assets" the scripts, the animation clips and then the controllers (which find
/// their clips by name), the prefabs and the current scene file, while the game runs. A file whose
/// bytes differ from the version in memory, or that has none, is read and checked on its own and
/// replaces that version in place only when nothing in it is wrong (nothing logged at HIGH or
/// above while it is read, no member of the wrong type, a script that validates): logged
/// "reloaded <file>". Otherwise the old version stays, logged with the file and the reason.
/// Unchanged files are only counted. Instances already made keep what they were made from.
ReloadReport reloadContent();

/// Left shift + F5: reloadContent, its summary line, then a restart of the current game state so
/// the scene is rebuilt from its file with the new content (a broken scene file keeps the running
/// scene instead). Refused while the loading workers run.
void hotReload();

} // namespace Qel
