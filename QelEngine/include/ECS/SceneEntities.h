#pragma once

#include "ECS/Entity.h"

#include <unordered_set>

namespace Qel {

/// The entities built for the current scene. Instantiation and the scene loader insert; the two
/// destroy operations below erase. Main thread only.
inline std::unordered_set<Entity> sceneEntities;

/// Destroys one entity: drops it from sceneEntities, drops its components, frees its id, then
/// notifies every system. An invalid handle only prints "Object does not exist!".
void DestroyObject(EntityHandle handle);

/// Destroys every entity of sceneEntities the same way (without the output lines) and empties
/// the set. Run when a scene ends.
void DestroyAllSceneEntities();

} // namespace Qel
