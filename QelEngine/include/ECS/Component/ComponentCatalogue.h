#pragma once

#include "ECS/Component/Components/ComponentReaders.h"
#include "data/JSONArr.h"
#include "data/NameHash.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <type_traits>

namespace Qel {

template <class... T> struct TypeList { static constexpr size_t size = sizeof...(T); };

/// Every component type, in registration order: a type's position is its ComponentType (its
/// signature bit) in the scene and prefab arrays alike.
using ComponentCatalogue =
    TypeList<Transform, SpriteRenderer, Camera, Animator, RigidBody2D, ColliderPtr, Text, Button, UITransform,
             Enemy, Layer, Light, PauseMenuManagerComponent, ParticleEmitter, GOScripts>;

/// The two names of a component type: the text of its TypeName record, and the name a component
/// object's "name" member holds in prefab and scene files.
struct ComponentNames {
    const char* typeName;
    const char* fileName;
};

/// Names in catalogue order.
inline constexpr std::array<ComponentNames, ComponentCatalogue::size> kComponentNames{{
    {"Transform", "Transform"},
    {"SpriteRenderer", "SpriteRenderer"},
    {"Camera", "Camera"},
    {"Animator", "Animator"},
    {"RigidBody2D", "RigidBody2D"},
    {"ColliderPtr", "ColliderPtr"},
    {"Text", "Text"},
    {"Button", "Button"},
    {"UITransform", "UITransform"},
    {"Enemy", "Enemy"},
    {"Layer", "Layer"},
    {"Light", "Light"},
    {"PauseMenuManagerComponent", "PauseMenuManager"},
    {"ParticleEmitter", "ParticleEmitter"},
    {"GOScripts", "GOScripts"},
}};

namespace detail {
template <class T, class... Listed> constexpr size_t indexIn(TypeList<Listed...>) {
    constexpr std::array<bool, sizeof...(Listed)> matches{std::is_same_v<T, Listed>...};
    for (size_t i = 0; i < matches.size(); ++i)
        if (matches[i]) return i;
    return matches.size();
}
} // namespace detail

/// T's position in the catalogue (a compile error for a type outside it).
template <class T> constexpr size_t catalogueIndex() {
    constexpr size_t index = detail::indexIn<T>(ComponentCatalogue{});
    static_assert(index < ComponentCatalogue::size, "not a catalogued component type");
    return index;
}

template <class T> constexpr const ComponentNames& componentNames() {
    return kComponentNames[catalogueIndex<T>()];
}

/// Calls visit.template operator()<T>() for every catalogued type, in registration order; a
/// template lambda `[&]<class T>() { ... }` is the usual visitor.
template <class Visit> void forEachComponentType(Visit&& visit) {
    [&]<class... T>(TypeList<T...>) { (visit.template operator()<T>(), ...); }(ComponentCatalogue{});
}

/// The loaders' entry point: reads `object` with the reader of the component type whose name in
/// files hashes to `fileNameHash` (the hash of the object's "name" member) and passes the new
/// component, by value, to add (a generic lambda `[&](auto component) { ... }`; the component's
/// type is decltype(component)). Returns false, reading and adding nothing, for any other name.
template <class Add> bool readComponentByName(uint64_t fileNameHash, const JSONArr::iter& object, Add&& add) {
    bool found = false;
    forEachComponentType([&]<class T>() {
        constexpr uint64_t key = hashName(componentNames<T>().fileName);
        if (found || key != fileNameHash) return;
        found = true;
        add(readComponent<T>(object));
    });
    return found;
}

} // namespace Qel
