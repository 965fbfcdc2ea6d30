#pragma once

#include "QelCore/Singleton.h"
#include "data/Asset.h"
#include "data/NameHash.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <utility>

namespace Qel {

/// The registry of asset type V; every asset is keyed by the name hash of its asset name.
template <class V>
using Registry = Asset<uint64_t, V>;

/// Owns every asset registry for the whole run. A registry comes into being on the first load of
/// its type (any V works; nothing needs declaring) and is destroyed, in reverse creation order,
/// with the manager at shutdown.
class AssetManager : public Singleton<AssetManager> {
public:
    AssetManager() = default;
    ~AssetManager() override;

    /// Registers the value built from args under hashName(name), unless that key is already present
    /// in V's registry. The name is recorded under the key in the name registry either way (an
    /// earlier name is kept). Returns whether the value was inserted.
    template <class V, class... Args>
    bool load(std::string_view name, Args&&... args) {
        const uint64_t key = hashName(name);
        obtainRegistry<std::string>()->emplace(key, name);
        return obtainRegistry<V>()->emplace(key, std::forward<Args>(args)...);
    }

    /// V's registry, created (and owned from then on) when it does not exist yet.
    template <class V>
    Registry<V>* obtainRegistry() {
        std::lock_guard lock(creationMutex);
        if (!Registry<V>::instance()) registries.push_back(std::make_unique<Registry<V>>());
        return Registry<V>::instance();
    }

    /// V's registry, or nullptr when nothing of type V has been loaded.
    template <class V>
    Registry<V>* findRegistry() const {
        std::lock_guard lock(creationMutex);
        return Registry<V>::instance();
    }

    /// The asset name recorded for key, or nullptr.
    const std::string* nameOf(uint64_t key) const;

private:
    // Loading workers may create registries at the same time.
    mutable std::mutex creationMutex;
    std::deque<std::unique_ptr<SBPtrClass>> registries;
};

} // namespace Qel
