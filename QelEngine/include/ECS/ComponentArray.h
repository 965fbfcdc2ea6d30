#pragma once

#include "ECS/Entity.h"
#include "ECS/TypeName.h"
#include "QelCore/LogManager.h"

#include <array>
#include <cstddef>
#include <span>
#include <unordered_map>
#include <utility>

namespace Qel {

/// A default T handed out when a component that does not exist is asked for. Reset on every use,
/// so one caller's writes never reach the next.
template <class T> T& scratchComponent() {
    static T scratch;
    scratch = T{};
    return scratch;
}

/// Type-erased component array, so managers can hold the arrays of every type in one map.
class IComponentArray {
public:
    virtual ~IComponentArray() = default;
    /// Drops the entity's component, if it has one.
    virtual void EntityDestroyed(Entity entity) = 0;

    /// This array as its concrete type, or null when it is some other array. Arrays are keyed
    /// by name pointers; the check keeps two types sharing a key from being confused.
    template <class ArrayT> ArrayT* As() {
        return kind == &kArrayKind<ArrayT> ? static_cast<ArrayT*>(this) : nullptr;
    }

protected:
    explicit IComponentArray(const void* kind) : kind(kind) {}

    /// One distinct address per concrete array type.
    template <class ArrayT> static constexpr char kArrayKind = 0;

private:
    const void* kind;
};

/// Up to N components of type T stored by value, packed in data[0..size-1]. Nothing here
/// allocates component storage; only the two index maps allocate nodes.
template <class T, size_t N> class ComponentArray final : public IComponentArray {
public:
    ComponentArray() : IComponentArray(&kArrayKind<ComponentArray>) {
        entityToIndex.reserve(N);
        indexToEntity.reserve(N);
    }

    /// Appends the entity's component. An entity that already has one gets it replaced in
    /// place; a full array refuses the component (logged) and returns false.
    bool InsertData(Entity entity, T component) {
        if (auto found = entityToIndex.find(entity); found != entityToIndex.end()) {
            logf(LOG_LOW, "%s component added twice to entity %llu, the new one replaces it", typeText(),
                 as64(entity));
            data[found->second] = std::move(component);
            return true;
        }
        if (size >= N) {
            logf(LOG_HIGH, "%s array is full (%zu), entity %llu gets no component", typeText(), N,
                 as64(entity));
            return false;
        }
        data[size] = std::move(component);
        entityToIndex.emplace(entity, size);
        indexToEntity.emplace(size, entity);
        ++size;
        return true;
    }

    /// Callers test Has() first. For an entity without the component this logs and returns the
    /// scratch value, so neither the packed data nor the maps are touched.
    T& GetData(Entity entity) {
        auto found = entityToIndex.find(entity);
        if (found != entityToIndex.end()) return data[found->second];
        logf(LOG_HIGH, "Entity %llu has no %s component", as64(entity), typeText());
        return scratchComponent<T>();
    }

    bool Has(Entity entity) const { return entityToIndex.contains(entity); }

    /// Swap-with-last removal: the last element fills the hole and the vacated slot is reset
    /// to a default T, so no stale values survive.
    void EntityDestroyed(Entity entity) override {
        auto found = entityToIndex.find(entity);
        if (found == entityToIndex.end()) return;
        const size_t removed = found->second;
        const size_t last = --size;
        if (removed != last) data[removed] = std::move(data[last]);
        data[last] = T{};

        const Entity moved = indexToEntity[last];
        entityToIndex[moved] = removed;
        indexToEntity[removed] = moved;
        entityToIndex.erase(entity);
        indexToEntity.erase(last);
    }

    size_t Size() const { return size; }
    static constexpr size_t Capacity() { return N; }

    /// The live components, in packed order.
    std::span<T> Packed() { return {data.data(), size}; }
    /// The entity whose component sits at `index` of Packed(), or MAX_ENTITIES past the end.
    Entity EntityAt(size_t index) const {
        auto found = indexToEntity.find(index);
        return found == indexToEntity.end() ? MAX_ENTITIES : found->second;
    }

private:
    static unsigned long long as64(Entity entity) { return static_cast<unsigned long long>(entity); }
    static const char* typeText() {
        const char* name = TypeName<T>::get();
        return name ? name : "(unnamed)";
    }

    std::array<T, N> data{};
    std::unordered_map<Entity, size_t> entityToIndex;
    std::unordered_map<size_t, Entity> indexToEntity;
    size_t size = 0;
};

} // namespace Qel
