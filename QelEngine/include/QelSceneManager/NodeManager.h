#pragma once

#include "QelCore/Singleton.h"
#include "QelSceneManager/NavGrid.h"

namespace Qel {

class JSON;

/// The current scene's navigation grid. Enemies search paths on it; the physics broad phase and
/// the camera take the level's extent from it. Created by Systems after the SceneManager.
class NodeManager : public Singleton<NodeManager> {
public:
    NodeManager() = default;
    ~NodeManager() override = default;

    /// Reads the grid from "Scene"."NodeManager": "offset" (origin x, y), "boundaries" (min x,
    /// min y, max x, max y) and "nodes" (one {"walkable"} per cell, row by row). Elements past two
    /// offsets and four bounds are ignored. The grid is sized whenever usable bounds were read;
    /// its cells are kept only when every part was read. Resets the cursor of `doc` and leaves it
    /// inside "NodeManager" when that exists. Returns isLoaded().
    bool loadFromScene(JSON& doc);

    /// True when the last scene gave a complete grid; enemies only move on a loaded grid.
    bool isLoaded() const { return loaded; }

    NavGrid grid;

private:
    bool loaded = false;
};

} // namespace Qel
