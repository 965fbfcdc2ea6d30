#pragma once

#include <glm/vec4.hpp>

/// State functions shared by the splash and scene states.
namespace GS_COMMON {
/// Every system's Load.
void load();
/// Every system's Unload.
void unload();
/// Releases what one run of a state built: the render targets (and with them the renderer's
/// per-scene lists) and every scene entity.
void free();

/// Un-pauses and un-muffles the three audio groups (queued for the audio manager's receiver) and
/// tells every listener of the broadcast receiver at once that the game runs again.
void resumeAudio();

/// What every state does once its world exists: initialise the systems, build the render targets
/// for the current window size, resume the audio and set the colour the frame clears to.
void startScene(const glm::vec4& clearColor);

/// Every system's Update with the frame's delta time (seconds).
void updateSystems();
} // namespace GS_COMMON
