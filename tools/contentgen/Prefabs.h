#pragma once

namespace ContentGen {

/// Prefab names the scenes instantiate (each prefab's file is named after it).
inline constexpr const char* kPlayerPrefab = "Player";
inline constexpr const char* kEnemyPrefab = "Cinderling";
inline constexpr const char* kTorchPrefab = "Torch";
inline constexpr const char* kEmberGlowPrefab = "EmberGlow";
/// Sparks rising from a sconce's flame.
inline constexpr const char* kTorchEmbersPrefab = "TorchEmbers";
inline constexpr const char* kWallColliderPrefab = "WallCollider";
/// The way out of a level, and the light and sparks it shows once open.
inline constexpr const char* kLevelExitPrefab = "LevelExit";
inline constexpr const char* kExitGlowPrefab = "ExitGlow";
inline constexpr const char* kButtonPrefab = "MenuButton";
inline constexpr const char* kPanelPrefab = "Panel";

/// Embers rising from a flame: a few bright orange sparks drifting up and fading.
inline constexpr const char* kEmberTexture = "whiteSquare";

/// Tags scripts and checks rely on.
inline constexpr const char* kFloorTag = "Floor";
inline constexpr const char* kWallTileTag = "WallTile";
inline constexpr const char* kWallTag = "Wall";

/// Draw layers (SpriteRenderer "layerNum"): ground first, characters over it.
inline constexpr int kFloorLayer = 0;
inline constexpr int kWallLayer = 1;
inline constexpr int kExitLayer = 2;
inline constexpr int kEnemyLayer = 4;
inline constexpr int kPlayerLayer = 5;

/// The player's camera zoom: at 1280 x 720 the view is 26.7 x 15 world units, so a 16-pixel tile
/// covers 48 screen pixels (three per art pixel).
inline constexpr double kCameraZoom = 19.09;

} // namespace ContentGen
