#pragma once

#include "ECS/Entity.h"
#include "ECS/System/ISystem.h"
#include "ECS/TypeName.h"
#include "QelCore/LogManager.h"
#include "QelCore/Singleton.h"
#include "QelCore/StrongAssert.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <utility>
#include <vector>

namespace Qel {

/// Owns every system and runs their lifecycle calls.
///
/// The bootstrap registers each system once, after the component types, and the systems live
/// until the manager is deleted at shutdown. Registration order is the order of Load, Update,
/// Unload and of entity notifications, so it doubles as the frame order of the engine.
///
/// A game state that runs a scene drives the systems like this:
///   - LoadAll() when the state is entered (each system sets its signature and may register
///     message handlers under its PCH);
///   - the scene's entities are built, each followed by one NotifyEntityChanged();
///   - InitializeAll() once the scene is loaded;
///   - UpdateAll(dt) once per frame;
///   - when the state ends its entities are destroyed (each destruction notifies every system
///     again) and then UnloadAll() runs.
///
/// A system's PCH, its messaging key, is the hash of its TypeName text: the PCH of a system
/// named "PlayerSystem" is the hash of "PlayerSystem". Systems add their message receivers
/// under it in Load or Initialize and remove them in Unload.
///
/// Systems are destroyed with the manager, the last registered first. Everything here runs on
/// the main thread and nothing is locked.
class SystemManager : public Singleton<SystemManager> {
public:
    SystemManager() = default;
    /// Releases the systems in reverse registration order.
    ~SystemManager() override;

    /// Creates system T and appends it to the registration order. T's TypeName must have been
    /// assigned before, and must yield a PCH: both are checked with strong assertions, since a
    /// system that cannot be addressed is a start-up error. Registering the same type again is
    /// refused (logged at CRITICAL) and returns the system registered first.
    template <class T> std::shared_ptr<T> RegisterSystem();

    /// The registered system of type T, or null when T was never registered. Other systems use
    /// it to find a peer once and keep the pointer.
    template <class T> std::shared_ptr<T> GetSystem() const;

    /// Load() on every system, in registration order (each sets its signature there).
    void LoadAll();
    /// Initialize() on every system, also in registration order. No system may rely on
    /// another system's Initialize having run first.
    void InitializeAll();
    /// Update(dt) on every system, in registration order. dt: frame time in seconds.
    void UpdateAll(float dt);
    /// Unload() on every system, in registration order.
    void UnloadAll();
    /// EntitySignatureChanged(entity) on every system, in registration order. Called once
    /// after an entity received all its components and once after it was destroyed.
    void NotifyEntityChanged(Entity entity);

    /// Number of registered systems.
    size_t SystemCount() const { return systems.size(); }

private:
    /// Registration order; each entry is {type-name pointer, system}.
    std::vector<std::pair<const char*, std::shared_ptr<ISystem>>> systems;
    /// The same systems keyed by their type-name pointer.
    std::unordered_map<const char*, std::shared_ptr<ISystem>> systemsByName;
};

// Keyed by name pointer; the cast keeps two types given the same name pointer from handing out
// a system of the wrong type.
template <class T> std::shared_ptr<T> SystemManager::GetSystem() const {
    auto found = systemsByName.find(TypeName<T>::get());
    return found == systemsByName.end() ? nullptr : std::dynamic_pointer_cast<T>(found->second);
}

// A second registration of one type would run that system twice per frame, so it is refused
// before anything is created.
template <class T> std::shared_ptr<T> SystemManager::RegisterSystem() {
    const char* name = TypeName<T>::get();
    if (std::shared_ptr<T> existing = GetSystem<T>()) {
        logf(LOG_CRITICAL, "System %s registered twice", name);
        return existing;
    }
    uint64_t key = 0;
    if (!name) QEL_STRONG_ASSERT("nullptr name detected in register system");
    auto system = std::make_shared<T>();
    system->PCHashFn = &TypeName<T>::pch;
    if (!system->GetPCH(key)) QEL_STRONG_ASSERT("Failed to set PCHashFn");
    systems.emplace_back(name, system);
    systemsByName.emplace(name, system);
    return system;
}

} // namespace Qel
