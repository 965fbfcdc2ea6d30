#include "ECS/System/Systems/ParticlePool.h"

namespace Qel {

ParticlePool::ParticlePool() : particles(kCapacity) {
    freeList.reserve(kCapacity);
    // Handed out from the back, so the lowest indices go first.
    for (uint32_t index = kCapacity; index > 0; --index)
        freeList.push_back(index - 1);
}

std::optional<uint32_t> ParticlePool::acquire() {
    if (freeList.empty()) return std::nullopt;
    const uint32_t index = freeList.back();
    freeList.pop_back();
    return index;
}

void ParticlePool::release(uint32_t index) {
    freeList.push_back(index);
}

} // namespace Qel
