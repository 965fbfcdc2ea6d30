#pragma once

#include "ECS/Components/Animator.h"
#include "ECS/Components/Button.h"
#include "ECS/Components/Camera.h"
#include "ECS/Components/Enemy.h"
#include "ECS/Components/GOScripts.h"
#include "ECS/Components/Layer.h"
#include "ECS/Components/Light.h"
#include "ECS/Components/ParticleEmitter.h"
#include "ECS/Components/PauseMenuManagerComponent.h"
#include "ECS/Components/RigidBody2D.h"
#include "ECS/Components/SpriteRenderer.h"
#include "ECS/Components/Text.h"
#include "ECS/Components/Transform.h"
#include "ECS/Components/UITransform.h"
#include "Physics/ColliderPtr.h"
#include "data/AssetManager.h"
#include "data/JSONArr.h"
#include "data/JSONReadTrace.h"
#include "data/NameHash.h"

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <typeinfo>

namespace Qel {

/// Builds a T from one component object of a prefab or scene file: every field starts at its
/// default, then each key is read on its own, so a missing or mistyped key (logged by the getter)
/// leaves just that field at its default. Never fails.
template <class T> T readComponent(const JSONArr::iter& object);

template <> Transform readComponent<Transform>(const JSONArr::iter& object);
template <> SpriteRenderer readComponent<SpriteRenderer>(const JSONArr::iter& object);
template <> Camera readComponent<Camera>(const JSONArr::iter& object);
template <> Animator readComponent<Animator>(const JSONArr::iter& object);
template <> RigidBody2D readComponent<RigidBody2D>(const JSONArr::iter& object);
template <> ColliderPtr readComponent<ColliderPtr>(const JSONArr::iter& object);
template <> Text readComponent<Text>(const JSONArr::iter& object);
template <> Button readComponent<Button>(const JSONArr::iter& object);
template <> UITransform readComponent<UITransform>(const JSONArr::iter& object);
template <> Enemy readComponent<Enemy>(const JSONArr::iter& object);
template <> Layer readComponent<Layer>(const JSONArr::iter& object);
template <> Light readComponent<Light>(const JSONArr::iter& object);
template <> PauseMenuManagerComponent readComponent<PauseMenuManagerComponent>(const JSONArr::iter& object);
template <> ParticleEmitter readComponent<ParticleEmitter>(const JSONArr::iter& object);
template <> GOScripts readComponent<GOScripts>(const JSONArr::iter& object);

/// A new shape with its kind's defaults for the shape name "Circle", "Rect2D" or "OBB"; null for
/// any other name.
std::unique_ptr<Collider2D> makeColliderShape(std::string_view typeName);

/// Reads the float members prefix + suffixes[i] into out[i], each on its own: ("color", "RGBA")
/// reads "colorR" to "colorA".
template <class Vector>
void readFloats(const JSONArr::iter& object, std::string_view prefix, std::string_view suffixes,
                Vector& out) {
    std::string key(prefix);
    for (size_t i = 0; i < suffixes.size(); ++i) {
        key.resize(prefix.size());
        key += suffixes[i];
        object.get(key, out[static_cast<typename Vector::length_type>(i)]);
    }
}

/// Sets `bits` in `flags` when the bool member `key` reads as true; false or unreadable leaves them.
template <class Word>
void readFlag(const JSONArr::iter& object, std::string_view key, Word& flags, Word bits) {
    bool value = false;
    if (object.get(key, value) && value) flags |= bits;
}

/// The asset registered under `name` in V's registry; null when there is no AssetManager, no such
/// registry or no such name.
template <class V> V* findAsset(std::string_view name) {
    AssetManager* assets = AssetManager::instance();
    Registry<V>* registry = assets ? assets->findRegistry<V>() : nullptr;
    return registry ? registry->get(hashName(name)) : nullptr;
}

/// The asset named by the string member `key` of `object`; null when the member cannot be read
/// (logged by the getter) or names no loaded asset (silently; a content checker's read trace
/// learns of every name looked up).
template <class V> V* readAssetReference(const JSONArr::iter& object, std::string_view key) {
    std::string name;
    if (!object.get(key, name)) return nullptr;
    JSONReadTrace::noteAssetReference(typeid(V), key, name);
    return findAsset<V>(name);
}

} // namespace Qel
