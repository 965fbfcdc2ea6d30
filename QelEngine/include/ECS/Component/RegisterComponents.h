#pragma once

#include "ECS/Component/ComponentCatalogue.h"
#include "ECS/ComponentManager.h"

namespace Qel {

/// A store of per-type component arrays: the ComponentManager for scenes, the PrefabManager for
/// prefab templates.
template <class Store>
concept ComponentStore = requires(Store& store) {
    store.template RegisterComponent<Transform>();
};

/// Gives every catalogued type's TypeName record its text. Registration runs it; doing it again
/// changes nothing.
void assignComponentTypeNames();

/// Start-up registration of the component catalogue: assigns the type names, registers every type
/// in catalogue order with the scene components, then every type in the same order with the
/// prefab store. Systems are registered afterwards.
template <ComponentStore PrefabStore>
void registerComponentTypes(ComponentManager& components, PrefabStore& prefabs) {
    assignComponentTypeNames();
    forEachComponentType([&]<class T>() { components.RegisterComponent<T>(); });
    forEachComponentType([&]<class T>() { prefabs.template RegisterComponent<T>(); });
}

} // namespace Qel
