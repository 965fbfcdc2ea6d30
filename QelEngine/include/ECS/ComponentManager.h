#pragma once

#include "ECS/ComponentArray.h"
#include "ECS/EntityManager.h"
#include "ECS/TypeName.h"
#include "QelCore/LogManager.h"
#include "QelCore/Singleton.h"

#include <memory>
#include <unordered_map>
#include <utility>

namespace Qel {

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
    /// T's array, or null (logged) when T is not registered.
    template <class T> Array<T>* getArray();
    static void logUnregistered(const char* name);
    template <class T> void setBit(Entity entity, bool value);

    std::unordered_map<const char*, ComponentType> componentTypes;
    std::unordered_map<const char*, std::shared_ptr<IComponentArray>> componentArrays;
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
    componentTypes.emplace(name, nextComponentType);
    componentArrays.emplace(name, std::make_shared<Array<T>>());
    ++nextComponentType;
}

template <class T> ComponentManager::Array<T>* ComponentManager::getArray() {
    const char* name = TypeName<T>::get();
    auto found = componentArrays.find(name);
    Array<T>* array = found == componentArrays.end() ? nullptr : found->second->template As<Array<T>>();
    if (!array) logUnregistered(name);
    return array;
}

template <class T> ComponentType ComponentManager::GetComponentType() {
    if (!getArray<T>()) return MAX_COMPONENTS;
    return componentTypes.at(TypeName<T>::get());
}

template <class T> void ComponentManager::setBit(Entity entity, bool value) {
    EntityManager* entities = EntityManager::instance();
    if (EntityInfo* info = entities ? entities->GetInfo(entity) : nullptr) {
        info->signature.set(componentTypes.at(TypeName<T>::get()), value);
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
