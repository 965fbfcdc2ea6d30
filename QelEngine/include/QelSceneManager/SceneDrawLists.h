#pragma once

#include "ECS/Entity.h"

#include <unordered_set>
#include <vector>

namespace Qel {

/// The renderer's two entity lists for the current scene: world entities (those with a Transform,
/// whose colliders the debug overlay outlines) and UI entities (a UITransform and no Transform,
/// drawn by the UI pass). Each entity appears at most once per list, in order of first addition.
/// Destroyed entities stay listed until clear(): readers check that an entity still exists.
class SceneDrawLists {
public:
    /// False when the entity was already listed.
    bool addWorld(Entity entity) { return world.add(entity); }
    bool addUI(Entity entity) { return ui.add(entity); }

    /// Takes the entity off both lists, for an entity destroyed while the scene goes on (a closed
    /// menu's), so its id can be listed afresh when it is reused.
    void remove(Entity entity);

    const std::vector<EntityHandle>& worldEntities() const { return world.entries; }
    const std::vector<EntityHandle>& uiEntities() const { return ui.entries; }
    /// The UI pass sorts this list by layer in place.
    std::vector<EntityHandle>& uiEntries() { return ui.entries; }

    void clear();

private:
    struct List {
        bool add(Entity entity);
        void remove(Entity entity);

        std::vector<EntityHandle> entries;
        std::unordered_set<Entity> members;
    };

    List world;
    List ui;
};

} // namespace Qel
