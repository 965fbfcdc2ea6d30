#pragma once

#include "ECS/Entity.h"
#include "QelCore/Singleton.h"
#include "QelSceneManager/CollisionLayerTable.h"
#include "QelSceneManager/SceneDrawLists.h"
#include "QelSceneManager/SceneLighting.h"
#include "data/JSONArr.h"

#include <cstdint>
#include <filesystem>

namespace Qel {

class JSON;

/// Remembers which scene file comes next and builds the world from a parsed scene file: entities
/// (prefab instances plus component overrides), music, cursor, collision layers, navigation grid
/// and lighting. Created by Systems after the AssetManager; main thread only.
class SceneManager : public Singleton<SceneManager> {
public:
    static constexpr uint8_t kFlagChangeRequested = 1;

    SceneManager() = default;

    /// Makes `path` the next scene and raises the change request. False, changing nothing, when
    /// `path` is not an existing regular file.
    bool setNextScene(const std::filesystem::path& path);
    bool isSceneChangeRequested() const { return (flags & kFlagChangeRequested) != 0; }
    const std::filesystem::path& getNextScenePath() const { return nextScenePath; }
    /// Whether the scene getScene read last was read without a change requested since the one
    /// before: the same scene again, as after restartScene.
    bool isRestart() const { return restart; }

    /// Parses the next scene file into `doc` and clears the change request. Parsing into a
    /// document that is already parsed is a strong assertion. True when `doc` is parsed.
    bool getScene(JSON& doc);

    /// Builds the scene described by `doc`. False when the document is not parsed, has no "Scene"
    /// object or no "gameObjects" array (nothing is built). Game objects past the entity limit
    /// are left out with one log line; the rest of the scene is still read and the result is true.
    /// The EntityManager, ComponentManager and PrefabManager must exist (strong assertion).
    bool loadScene(JSON& doc);

    /// What becomes of a game object whose "components" is not an array.
    enum class WithoutComponents {
        /// Destroyed ("unable to get components"): scene files list every component.
        Destroy,
        /// Kept when its prefab gave it components; destroyed ("Unable to get components") when
        /// it has none at all. Menu files build their entities this way.
        KeepPrefabOnes,
    };

    /// Builds one entry of a "gameObjects" array: the prefab's instance (or a bare entity),
    /// "name", "tag", the component overrides, the "disabled" flag, the model matrix and collider,
    /// and the draw list. Every system is notified. {MAX_ENTITIES, false} when nothing was built.
    EntityHandle buildGameObject(const JSONArr::iter& object, WithoutComponents rule);

    /// The current scene's collision layers, rebuilt by every loadScene; the physics system reads
    /// them.
    CollisionLayerTable collisionLayers;
    /// Ambient colour and look-up table; scripts may switch isLUT.
    SceneLighting lighting;
    /// World and UI entities of the current scene, emptied by every loadScene (the previous
    /// scene's entities are destroyed before the next one loads).
    SceneDrawLists drawLists;

private:
    void queueMusicAndCursor(const JSON& doc) const;
    /// Stops at the entity limit.
    void buildGameObjects(const JSONArr& gameObjects);
    void readLighting(JSON& doc);

    std::filesystem::file_status nextSceneStatus;
    std::filesystem::path nextScenePath;
    uint8_t flags = 0;
    bool restart = false;
};

} // namespace Qel
