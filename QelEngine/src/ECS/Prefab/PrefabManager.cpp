#include "ECS/Prefab/PrefabManager.h"

#include "ECS/Component/ComponentCatalogue.h"
#include "ECS/Components/ModelMatrix.h"
#include "ECS/EntityManager.h"
#include "ECS/SceneEntities.h"
#include "ECS/System/SystemManager.h"
#include "QelSceneManager/QelSceneManager.h"
#include "data/ContentFiles.h"
#include "data/DirectoryLoader.h"
#include "data/JSON.h"
#include "data/NameHash.h"

#include <algorithm>

namespace Qel {

PrefabManager::PrefabManager() {
    for (PrefabId id = 0; id < MAX_PREFABS; ++id)
        available.push_back(id);
}

Signature PrefabManager::GetSignature(PrefabId prefab) const {
    auto found = signatures.find(prefab);
    return found == signatures.end() ? Signature{} : found->second;
}

size_t PrefabManager::LoadAllPrefabs(const std::filesystem::path& folder) {
    size_t loaded = 0;
    bool limitHit = false;
    loadDirectory(folder, {}, [&](const std::string&, const std::string& path) {
        // The directory walk cannot be cut short: files past the limit are passed over unread,
        // reported once by the CRITICAL line rather than once each.
        if (limitHit) return true;
        if (available.empty()) {
            log(LOG_CRITICAL, "MAX PREFABS HIT, CONSIDER INCREASING LIMIT");
            limitHit = true;
            return true;
        }
        std::string bytes;
        if (!readContent(path, bytes)) return false;
        JSON doc = parseContent(bytes);
        if (!LoadPrefab(doc, path)) return false;
        noteContent(path, bytes);
        ++loaded;
        return true;
    });
    return loaded;
}

bool PrefabManager::LoadPrefab(std::istream& in) {
    JSON doc;
    doc.parse(in);
    return LoadPrefab(doc, {});
}

bool PrefabManager::LoadPrefab(JSON& doc, const std::string& file) {
    if (!doc.isParsed()) return false;
    std::string name;
    doc.get("name", name);
    // A second template under one name would pour its components into the first one's id.
    if (prefabs.contains(name)) {
        logf(LOG_HIGH, "Prefab \"%s\" is already loaded, this file is ignored", name.c_str());
        return false;
    }
    std::optional<PrefabRecord> record = readTemplate(doc, name, file);
    if (!record) return false;
    prefabs.emplace(name, std::move(*record));
    return true;
}

bool PrefabManager::ReloadPrefab(JSON& doc, const std::string& file, const std::function<bool()>& accept) {
    if (!doc.isParsed()) return false;
    std::string name;
    if (!doc.get("name", name)) {
        logf(LOG_HIGH, "Prefab file %s has no \"name\"", file.c_str());
        return false;
    }
    const auto loaded = prefabs.find(name);
    if (loaded != prefabs.end() && loaded->second.file != file) {
        logf(LOG_HIGH, "Prefab \"%s\" belongs to %s", name.c_str(), loaded->second.file.c_str());
        return false;
    }
    // Read beside the loaded template, so a file that turns out broken leaves it untouched.
    std::optional<PrefabRecord> record = readTemplate(doc, name, file);
    if (!record) return false;
    if (!accept()) {
        releaseTemplate(record->prefabId);
        return false;
    }
    if (loaded == prefabs.end()) {
        prefabs.emplace(name, std::move(*record));
    } else {
        releaseTemplate(loaded->second.prefabId);
        loaded->second = std::move(*record);
    }
    return true;
}

std::optional<PrefabRecord> PrefabManager::readTemplate(JSON& doc, const std::string& name,
                                                        const std::string& file) {
    if (available.empty()) {
        logf(LOG_CRITICAL, "No free prefab id for \"%s\", this file is ignored", name.c_str());
        return std::nullopt;
    }
    PrefabRecord record{available.front(), {}, file};
    available.pop_front();
    doc.get("tag", record.tag);
    signatures[record.prefabId] = Signature{};
    // Without a "component" object the prefab is a name and a tag, as a spawn point is.
    if (!doc.cd("component")) return record;

    for (const JSONArr::iter& object : doc.getArray("types")) {
        std::string componentName;
        object.get("name", componentName);
        const bool known = readComponentByName(hashName(componentName), object, [&](auto component) {
            AddComponent(record.prefabId, std::move(component));
        });
        if (!known) log(LOG_HIGH, "Unknown component present in prefab");
    }
    return record;
}

void PrefabManager::releaseTemplate(PrefabId id) {
    for (auto& [type, array] : componentArrays)
        array->EntityDestroyed(id);
    signatures.erase(id);
    available.insert(std::lower_bound(available.begin(), available.end(), id), id);
}

const PrefabRecord* PrefabManager::FindPrefab(std::string_view name) const {
    auto found = prefabs.find(name);
    return found == prefabs.end() ? nullptr : &found->second;
}

EntityHandle PrefabManager::Instantiate(std::string_view name) {
    const PrefabRecord* record = FindPrefab(name);
    if (!record) {
        logf(LOG_HIGH, "Prefab \"%s\" does not exist, nothing instantiated", std::string(name).c_str());
        return {MAX_ENTITIES, false};
    }
    EntityManager* entities = EntityManager::instance();
    ComponentManager* components = ComponentManager::instance();
    QEL_ASSERT(entities && components, "Instantiate needs the EntityManager and the ComponentManager");

    const Entity entity = entities->CreateEntity();
    if (entity >= MAX_ENTITIES) return {MAX_ENTITIES, false};
    sceneEntities.insert(entity);
    entities->GetInfo(entity)->tag = record->tag;

    const Signature signature = GetSignature(record->prefabId);
    for (const Instantiator& type : instantiators) {
        if (signature.contains(type.bit)) type.copy(*this, record->prefabId, entity, *components);
    }
    if (SystemManager* systems = SystemManager::instance()) systems->NotifyEntityChanged(entity);
    if (SceneManager* scenes = SceneManager::instance()) scenes->drawLists.addWorld(entity);
    return {entity, true};
}

void PrefabManager::finishInstance(Transform& transform) {
    refreshModelMatrix(transform);
}

} // namespace Qel
