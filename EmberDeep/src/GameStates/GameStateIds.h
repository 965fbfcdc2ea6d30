#pragma once

#include <cstdint>

/// Ids handed out when the entry registers the two game states (splash first, so 1 and 2).
inline uint64_t gsSplashId = 0;
inline uint64_t gsSceneId = 0;
