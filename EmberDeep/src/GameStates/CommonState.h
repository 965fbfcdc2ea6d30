#pragma once

/// State functions shared by the splash and scene states.
namespace GS_COMMON {
/// Every system's Load.
void load();
/// Every system's Unload.
void unload();
/// Releases what one run of a state built: the scene's entities.
void free();
} // namespace GS_COMMON
