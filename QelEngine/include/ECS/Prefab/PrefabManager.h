#pragma once

#include "ECS/ComponentArray.h"
#include "ECS/ComponentManager.h"
#include "ECS/Components/Transform.h"
#include "ECS/Entity.h"
#include "ECS/Signature.h"
#include "ECS/TypeName.h"
#include "QelCore/LogManager.h"
#include "QelCore/Singleton.h"
#include "QelCore/StrongAssert.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace Qel {

class JSON;

/// Index of a prefab template in the prefab arrays, 0..MAX_PREFABS-1; unrelated to entity ids.
using PrefabId = uint64_t;

/// Capacity of every prefab array, and so the number of prefabs the game can load.
constexpr PrefabId MAX_PREFABS = 64;

/// What a prefab name stands for: its template's id and the tag its instances get.
struct PrefabRecord {
    PrefabId prefabId = MAX_PREFABS;
    std::string tag;
    /// The file it was read from ("" when it came from elsewhere).
    std::string file;
};

/// Named templates of components, loaded once at start-up from the prefab folder and copied into
/// scene entities by Instantiate. Owns one ComponentArray<T, MAX_PREFABS> per registered type.
class PrefabManager : public Singleton<PrefabManager> {
public:
    template <class T> using Array = ComponentArray<T, MAX_PREFABS>;

    PrefabManager();

    /// Gives T the next prefab bit and an array. Registered in the same order as with the
    /// ComponentManager. Ignored past MAX_COMPONENTS types and for a type registered before; a
    /// type whose TypeName was never assigned is a strong assertion.
    template <class T> void RegisterComponent();

    /// Stores the component in the template `prefab` and sets its bit in the template's signature.
    template <class T> void AddComponent(PrefabId prefab, T component);
    template <class T> bool HasComponent(PrefabId prefab);
    /// Callers test HasComponent first; otherwise a logged scratch value is returned.
    template <class T> T& GetComponent(PrefabId prefab);
    Signature GetSignature(PrefabId prefab) const;

    /// Loads every regular file below `folder` (any extension) with LoadPrefab. At most
    /// MAX_PREFABS files load: a further file logs "MAX PREFABS HIT, CONSIDER INCREASING LIMIT" at
    /// CRITICAL once and the rest are not read. Returns the number of prefabs loaded. Runs on a
    /// loading worker while nothing else touches prefabs.
    size_t LoadAllPrefabs(const std::filesystem::path& folder = "../Assets/Prefabs");

    /// Reads one prefab file: "name", "tag" and "component"."types". True when the prefab was
    /// added; without a "component" object it has no components. A file that does not parse,
    /// repeats a loaded name or finds no free prefab id adds nothing and uses no id.
    bool LoadPrefab(std::istream& in);
    /// LoadPrefab on a parsed document (false when it is not parsed), remembering `file` as its source.
    bool LoadPrefab(JSON& doc, const std::string& file);

    /// Reads doc as a new version of the prefab file `file` into a spare id, then puts it in place of
    /// the prefab of its "name" (or adds it when the name is new) if accept() agrees once it is
    /// read, and otherwise drops it: the loaded template is never half replaced, and pointers into
    /// the registries its components share stay valid. False when the new version was not taken,
    /// also when doc has no "name", the name belongs to another file's prefab (logged at HIGH) or
    /// no id is free. Instances made before keep their copies.
    bool ReloadPrefab(JSON& doc, const std::string& file, const std::function<bool()>& accept);

    /// A new scene entity (in sceneEntities and the world draw list, every system notified) with a
    /// copy of each component of the prefab and its tag. {MAX_ENTITIES, false}, creating nothing,
    /// for an unknown name or at the entity limit.
    EntityHandle Instantiate(std::string_view name);

    /// The prefab loaded under `name`, or null.
    const PrefabRecord* FindPrefab(std::string_view name) const;
    size_t PrefabCount() const { return prefabs.size(); }

private:
    struct NameHash {
        using is_transparent = void;
        size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
    };

    /// Copies T of a template that has it into an entity; one per registered type, in
    /// registration order.
    struct Instantiator {
        Signature bit;
        void (*copy)(PrefabManager& prefabs, PrefabId prefab, Entity entity, ComponentManager& components);
    };

    /// Takes a free id and reads doc's "tag" and "component"."types" into it; null, logged, when no
    /// id is free. The cursor is left in "component".
    std::optional<PrefabRecord> readTemplate(JSON& doc, const std::string& name, const std::string& file);
    /// Empties a template and hands its id back.
    void releaseTemplate(PrefabId id);

    template <class T> Array<T>* getArray();
    template <class T>
    static void copyInto(PrefabManager& prefabs, PrefabId prefab, Entity entity,
                         ComponentManager& components);
    /// Last touches on a component copied into an entity: a Transform gets its model matrix.
    template <class T> static void finishInstance(T&) {}
    static void finishInstance(Transform& transform);

    /// Free prefab ids, lowest first.
    std::deque<PrefabId> available;
    std::unordered_map<PrefabId, Signature> signatures;
    /// Per registered type (keyed by its TypeName pointer): its prefab bit and its array.
    std::unordered_map<const char*, Signature> componentBits;
    std::unordered_map<const char*, std::shared_ptr<IComponentArray>> componentArrays;
    uint8_t typeCount = 0;
    std::vector<Instantiator> instantiators;
    /// Prefab name to record; owned here so a new manager starts without stale ids.
    std::unordered_map<std::string, PrefabRecord, NameHash, std::equal_to<>> prefabs;
};

template <class T> void PrefabManager::RegisterComponent() {
    if (typeCount >= MAX_COMPONENTS) return;
    const char* name = TypeName<T>::get();
    if (!name) QEL_STRONG_ASSERT("nullptr name detected in prefab Register Component");
    if (componentArrays.contains(name)) {
        logf(LOG_CRITICAL, "Prefab component type %s registered twice", name);
        return;
    }
    const Signature bit(1u << typeCount);
    componentBits.emplace(name, bit);
    componentArrays.emplace(name, std::make_shared<Array<T>>());
    instantiators.push_back({bit, &copyInto<T>});
    ++typeCount;
}

template <class T> PrefabManager::Array<T>* PrefabManager::getArray() {
    const char* name = TypeName<T>::get();
    auto found = componentArrays.find(name);
    Array<T>* array = found == componentArrays.end() ? nullptr : found->second->template As<Array<T>>();
    if (!array) logf(LOG_HIGH, "Prefab component type %s is not registered", name ? name : "(null)");
    return array;
}

template <class T> void PrefabManager::AddComponent(PrefabId prefab, T component) {
    Array<T>* array = getArray<T>();
    if (array && array->InsertData(prefab, std::move(component)))
        signatures[prefab] |= componentBits.at(TypeName<T>::get());
}

template <class T> bool PrefabManager::HasComponent(PrefabId prefab) {
    Array<T>* array = getArray<T>();
    return array && array->Has(prefab);
}

template <class T> T& PrefabManager::GetComponent(PrefabId prefab) {
    Array<T>* array = getArray<T>();
    return array ? array->GetData(prefab) : scratchComponent<T>();
}

template <class T>
void PrefabManager::copyInto(PrefabManager& prefabs, PrefabId prefab, Entity entity,
                             ComponentManager& components) {
    // A ColliderPtr copy clones its shape; asset pointers are shared.
    T copy = prefabs.GetComponent<T>(prefab);
    finishInstance(copy);
    components.AddComponent<T>(entity, std::move(copy));
}

} // namespace Qel
