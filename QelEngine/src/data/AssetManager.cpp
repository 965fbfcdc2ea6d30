#include "data/AssetManager.h"

namespace Qel {

AssetManager::~AssetManager() {
    // A registry may hold handles into one created before it, so the newest goes first.
    while (!registries.empty()) registries.pop_back();
}

const std::string* AssetManager::nameOf(uint64_t key) const {
    Registry<std::string>* names = findRegistry<std::string>();
    return names ? names->get(key) : nullptr;
}

} // namespace Qel
