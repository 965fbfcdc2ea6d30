#pragma once

#include "ECS/ComponentArray.h"
#include "ECS/EntityManager.h"
#include "ECS/TypeName.h"
#include "QelCore/LogManager.h"
#include "QelCore/Singleton.h"

#include <atomic>
#include <cstddef>
#include <memory>
#include <unordered_map>
#include <utility>
#include <vector>

namespace Qel {

/// A small dense number per component type, the same in every manager and fixed on first use, so
/// a manager reaches a type's array by position instead of hashing its name on every access.
size_t nextComponentSlot();
template <class T> size_t componentSlot() {
    static const size_t slot = nextComponentSlot();
    return slot;
}

/// Owns one scene component array (capacity MAX_ENTITIES) per registered component type and
/// keeps entity signatures in step with them. Adding or removing components does not notify
/// systems: whoever builds an entity calls SystemManager::NotifyEntityChanged once, at the end.
class ComponentManager : public Singleton<ComponentManager> {
public:
    template <class T> using Array = ComponentArray<T, MAX_ENTITIES>;

    /// Gives T the next component type. Ignored once MAX_COMPONENTS types exist, and for a type
    /// (or name pointer) already registered.
    template <class T> void RegisterComponent();

    /// T's signature bit; MAX_COMPONENTS (logged) when T is not registered.
    template <class T> ComponentType GetComponentType();

    /// Stores the component and sets its bit in the entity's signature (when the entity exists).
    template <class T> void AddComponent(Entity entity, T component);

    /// Clears the bit (when the entity exists) and drops the component, if any.
    template <class T> void RemoveComponent(Entity entity);

    template <class T> bool HasComponent(Entity entity);

    /// Callers test HasComponent first; otherwise a logged scratch value is returned.
    template <class T> T& GetComponent(Entity entity);

    /// Drops the entity's components from every array.
    void EntityDestroyed(Entity entity);

    ComponentType RegisteredCount() const { return nextComponentType; }

private:
    /// What a registered type's slot holds: its array and its signature bit.
    struct TypedArray {
        IComponentArray* array = nullptr;
        ComponentType type = MAX_COMPONENTS;
    };

    /// T's slot entry; its array is null when T is not registered.
    template <class T> const TypedArray& typedArray() const;
    /// T's array, or null (logged) when T is not registered.
    template <class T> Array<T>* getArray();
    static void logUnregistered(const char* name);
    template <class T> void setBit(Entity entity, bool value);

    /// Registration is by name: a second type under a name already taken gets no array.
    std::unordered_map<const char*, ComponentType> componentTypes;
    std::unordered_map<const char*, std::shared_ptr<IComponentArray>> componentArrays;
    /// Indexed by componentSlot<T>(): the registered types' arrays, typed by their slot.
    std::vector<TypedArray> bySlot;
    ComponentType nextComponentType = 0;
};

template <class T> void ComponentManager::RegisterComponent() {
    if (nextComponentType >= MAX_COMPONENTS) return;
    const char* name = TypeName<T>::get();
    if (!name) log(LOG_CRITICAL, "nullptr name detected in register component");
    if (componentArrays.contains(name)) {
        logf(LOG_CRITICAL, "Component type %s registered twice", name ? name : "(null)");
        return;
    }
    auto array = std::make_shared<Array<T>>();
    const size_t slot = componentSlot<T>();
    if (bySlot.size() <= slot) bySlot.resize(slot + 1);
    bySlot[slot] = {array.get(), nextComponentType};
    componentTypes.emplace(name, nextComponentType);
    componentArrays.emplace(name, std::move(array));
    ++nextComponentType;
}

template <class T> const ComponentManager::TypedArray& ComponentManager::typedArray() const {
    static const TypedArray unregistered;
    const size_t slot = componentSlot<T>();
    return slot < bySlot.size() ? bySlot[slot] : unregistered;
}

template <class T> ComponentManager::Array<T>* ComponentManager::getArray() {
    // Only T's own registration fills T's slot, so the array there is an Array<T>.
    IComponentArray* array = typedArray<T>().array;
    if (!array) logUnregistered(TypeName<T>::get());
    return static_cast<Array<T>*>(array);
}

template <class T> ComponentType ComponentManager::GetComponentType() {
    if (!getArray<T>()) return MAX_COMPONENTS;
    return typedArray<T>().type;
}

template <class T> void ComponentManager::setBit(Entity entity, bool value) {
    EntityManager* entities = EntityManager::instance();
    if (EntityInfo* info = entities ? entities->GetInfo(entity) : nullptr) {
        info->signature.set(typedArray<T>().type, value);
    }
}

template <class T> void ComponentManager::AddComponent(Entity entity, T component) {
    Array<T>* array = getArray<T>();
    // The bit is set only once the array has accepted the component (a full array refuses it).
    if (array && array->InsertData(entity, std::move(component))) setBit<T>(entity, true);
}

template <class T> void ComponentManager::RemoveComponent(Entity entity) {
    if (Array<T>* array = getArray<T>()) {
        setBit<T>(entity, false);
        array->EntityDestroyed(entity);
    }
}

template <class T> bool ComponentManager::HasComponent(Entity entity) {
    Array<T>* array = getArray<T>();
    return array && array->Has(entity);
}

template <class T> T& ComponentManager::GetComponent(Entity entity) {
    Array<T>* array = getArray<T>();
    return array ? array->GetData(entity) : scratchComponent<T>();
}

} // namespace Qel
