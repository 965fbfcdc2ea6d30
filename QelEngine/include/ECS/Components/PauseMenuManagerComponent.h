#pragma once

namespace Qel {

/// Component: marks the entity that carries the pause menu. Named "PauseMenuManager" in files.
struct PauseMenuManagerComponent {};

} // namespace Qel
