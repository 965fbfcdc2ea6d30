#pragma once

#include <string>
#include <vector>

namespace ContentGen {

/// Characters are drawn in 32 x 32 pixel frames and shown two world units tall.
inline constexpr int kCharacterFramePixels = 32;
inline constexpr double kCharacterWorldSize = 2.0;

/// Frame names of the two sprite sheets, left to right (the sidecars' "SubTextures").
inline const std::vector<std::string> kPlayerFrames{"Idle0", "Idle1", "Walk0", "Walk1",
                                                    "Walk2", "Walk3", "Hurt",  "Down"};
inline const std::vector<std::string> kEnemyFrames{"Idle0", "Idle1",   "Move0",   "Move1",
                                                   "Move2", "Attack0", "Attack1", "Death"};

} // namespace ContentGen
