#pragma once

#include "ECS/Entity.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

namespace Qel {

/// The entities a menu built from its data file ("gameObjects" entries as in a scene file), and
/// only those: closing the menu destroys them and nothing of the scene around it.
class MenuEntities {
public:
    /// Reads `file` and builds its entities after destroying any built before. False, building
    /// nothing, when the file does not parse ("Unable to get pause menu manager file").
    bool open(const std::filesystem::path& file);
    /// Destroys the built entities that still exist and takes them off the draw lists.
    void close();
    /// Forgets the built entities without touching them: the scene that held them has ended and
    /// their ids may already belong to the next scene.
    void forget() { built.clear(); }

    bool isOpen() const { return !built.empty(); }
    const std::vector<Entity>& entities() const { return built; }

private:
    std::vector<Entity> built;
};

/// Fills `slots` (one per name, same order) with the entity of `candidates` whose name has the
/// same hash; a name without an entity leaves its slot at MAX_ENTITIES. Earlier slot contents
/// are discarded first, so no stale id survives a rebuild.
void bindSlots(std::span<const char* const> names, std::span<Entity> slots,
               std::span<const Entity> candidates);

/// Shows (clears the disabled flag) or hides every slot's entity; empty slots and entities that
/// no longer exist are skipped.
void showSlots(std::span<const Entity> slots, bool shown);

/// Whether a slot's entity exists and is shown.
bool isShown(Entity slot);

} // namespace Qel
