#include "ECS/System/Systems/GOScriptSystem.h"

#include "ECS/ComponentManager.h"
#include "ECS/Components/GOScripts.h"
#include "ECS/EntityManager.h"
#include "QelCore/LogManager.h"
#include "QelCore/StrongAssert.h"
#include "QelScripting/EntityScriptCaller.h"
#include "QelScripting/EntityScriptSetup.h"
#include "QelScripting/LuaScript.h"
#include "QelScripting/ScriptAssets.h"
#include "data/AssetManager.h"
#include "data/NameHash.h"
#include "messaging/MessageManager.h"

#include <string>

namespace Qel {

namespace {

const uint64_t kHandleCollision = hashName("handleCollision");

/// The entity's component, or null: an entity may lose it while a script runs.
GOScripts* scriptsOf(Entity entity) {
    ComponentManager* components = ComponentManager::instance();
    return components && components->HasComponent<GOScripts>(entity)
               ? &components->GetComponent<GOScripts>(entity)
               : nullptr;
}

/// The joined texts of the entity's scripts in slot order, and their names for log lines.
std::pair<std::string, std::string> scriptText(const GOScripts& component) {
    AssetManager* assets = AssetManager::instance();
    Registry<LuaScriptStringWrapper>* registry =
        assets ? assets->findRegistry<LuaScriptStringWrapper>() : nullptr;
    std::string text, names;
    for (uint64_t key : component.scripts) {
        if (key == 0) break;
        const LuaScriptStringWrapper* script = registry ? registry->get(key) : nullptr;
        if (!script) continue;
        text += script->text;
        const std::string* name = assets->nameOf(key);
        names += (names.empty() ? "" : "+") + (name ? *name : std::string("?"));
    }
    return {std::move(text), std::move(names)};
}

} // namespace

void GOScript_CollisionHandler(Message& message) {
    GOScriptSystem* system = GOScriptSystem::active();
    if (!system) QEL_STRONG_ASSERT("Cannot handle message without GOScriptSystem");
    if (auto* args = message.argsAs<int, uint64_t, uint64_t>())
        system->handleCollision(std::get<0>(*args), std::get<1>(*args), std::get<2>(*args));
}

GOScriptSystem::GOScriptSystem() {
    MessageManager* messages = MessageManager::instance();
    BroadcastReceiver* broadcast = messages ? messages->getReceiver(MessageManager::kBroadcast) : nullptr;
    if (!broadcast) QEL_STRONG_ASSERT("Failed to set up GOScriptSystem broadcast receiver");
    broadcast->addHandler(hashName("PauseSystem"), &GOScriptSystem::onPause);
    broadcast->addHandler(hashName("UnPauseSystem"), &GOScriptSystem::onUnPause);
}

GOScriptSystem::~GOScriptSystem() {
    if (loaded == this) loaded = nullptr;
}

void GOScriptSystem::onPause(Message&) {
    if (loaded) loaded->paused = true;
}

void GOScriptSystem::onUnPause(Message&) {
    if (loaded) loaded->paused = false;
}

void GOScriptSystem::Load() {
    if (loaded) QEL_STRONG_ASSERT("Multiple load of GOScriptSystem without unloading");
    loaded = this;
    MessageManager* messages = MessageManager::instance();
    if (!messages) QEL_STRONG_ASSERT("MessageManager not ready!");
    ComponentManager* components = ComponentManager::instance();
    const ComponentType type = components ? components->GetComponentType<GOScripts>() : MAX_COMPONENTS;
    uint64_t key = 0;
    if (type >= MAX_COMPONENTS || !GetPCH(key))
        QEL_STRONG_ASSERT("GOScriptSystem loaded before type registered");
    BroadcastReceiver* receiver = messages->getReceiver(key);
    if (!receiver) QEL_STRONG_ASSERT("Failed to set up GOScriptSystem message receiver");
    receiver->addHandler(kHandleCollision, &GOScript_CollisionHandler);
    signature = Signature{}.set(type);
    setScriptCaller(&callEntityScript);
}

void GOScriptSystem::Unload() {
    if (loaded == this) loaded = nullptr;
    setScriptCaller(nullptr);
    if (MessageManager* messages = MessageManager::instance()) {
        uint64_t key = 0;
        if (!GetPCH(key)) QEL_STRONG_ASSERT("Error getting PCH while unloading GOScriptSystem");
        messages->removeReceiver(key);
    }
}

void GOScriptSystem::Update(float dt) {
    EntityManager* entityManager = EntityManager::instance();
    if (!entityManager) return;
    // A script may build or drop scripts (its own too) while it runs, so the walk goes over a
    // snapshot and checks each entry is still the entity's current state before calling it.
    updateOrder.clear();
    for (const auto& [entity, instance] : instances)
        updateOrder.emplace_back(entity, instance.script);
    for (const auto& [entity, script] : updateOrder) {
        const auto found = instances.find(entity);
        if (found == instances.end() || found->second.script != script) continue;
        const GOScripts* component = scriptsOf(entity);
        if (!component || entityManager->IsDisabled(entity)) continue;
        if (paused && !(component->flags & GOScripts::kAllowPausedUpdate)) continue;
        if (!(component->flags & GOScripts::kHasOnUpdate) || script->busy()) continue;
        script->call("onUpdate", dt);
    }
    updateOrder.clear();
}

void GOScriptSystem::EntitySignatureChanged(Entity entity) {
    if (!Matches(entity)) {
        entities.erase(entity);
        drop(entity);
        return;
    }
    if (!entities.insert(entity).second) return;
    const GOScripts* component = scriptsOf(entity);
    if (component && (component->flags & GOScripts::kCanBuild) && !build(entity))
        log(LOG_HIGH, "Failed to load script on initialize!");
}

bool GOScriptSystem::build(Entity entity) {
    GOScripts* component = scriptsOf(entity);
    if (!component) return false;
    auto [text, names] = scriptText(*component);
    auto script = std::make_shared<LuaScript>();
    script->setName(std::move(names));
    if (!script->load(text)) {
        drop(entity);
        if (GOScripts* again = scriptsOf(entity)) again->flags &= ~GOScripts::kCanBuild;
        return false;
    }
    installEntityBindings(*script, entity);

    const bool hasOnInit = script->hasFunction("onInit");
    if (hasOnInit) script->call("onInit");
    // onInit may have destroyed the entity, or rebuilt it: then this state is not wanted.
    component = scriptsOf(entity);
    if (!component || !entities.contains(entity)) return true;
    uint64_t flags = (component->flags & ~uint64_t{1}) | GOScripts::kCanBuild;
    const auto setFlag = [&flags](uint64_t bit, bool value) { flags = value ? flags | bit : flags & ~bit; };
    setFlag(GOScripts::kHasOnInit, hasOnInit);
    setFlag(GOScripts::kHasOnUpdate, script->hasFunction("onUpdate"));
    setFlag(GOScripts::kHasOnCollide, script->hasFunction("onCollide"));
    setFlag(GOScripts::kHasOnTrigger, script->hasFunction("onTrigger"));
    const std::optional<std::string> tag = script->text("scriptTag");
    setFlag(GOScripts::kHasScriptTag, tag.has_value());
    component->flags = flags;

    Instance& instance = instances[entity];
    if (instance.hasTag) untag(entity, instance.tag);
    instance = Instance{std::move(script), tag ? hashName(*tag) : 0, tag.has_value()};
    if (instance.hasTag) tags.emplace(instance.tag, entity);
    return true;
}

void GOScriptSystem::drop(Entity entity) {
    const auto found = instances.find(entity);
    if (found == instances.end()) return;
    if (found->second.hasTag) untag(entity, found->second.tag);
    // A state that is running now lives on in its caller's hands until the call returns.
    instances.erase(found);
}

void GOScriptSystem::untag(Entity entity, uint64_t tag) {
    auto [first, last] = tags.equal_range(tag);
    while (first != last)
        first = first->second == entity ? tags.erase(first) : std::next(first);
}

void GOScriptSystem::handleCollision(int kind, Entity entity, Entity other) {
    EntityManager* entityManager = EntityManager::instance();
    if (!entityManager) QEL_STRONG_ASSERT("EntityManager not ready");
    if (entityManager->IsDisabled(entity)) return;
    const auto found = instances.find(entity);
    if (found == instances.end()) return;
    const std::shared_ptr<LuaScript> script = found->second.script;
    if (script->busy()) {
        logf(LOG_HIGH, "[LUA] | collision of entity %llu skipped: its script is running",
             static_cast<unsigned long long>(entity));
        return;
    }
    const EntityInfo* info = entityManager->GetInfo(other);
    script->collide(info ? info->tag : std::string(), kind, other);
}

std::shared_ptr<LuaScript> GOScriptSystem::scriptOf(Entity entity) const {
    const auto found = instances.find(entity);
    return found == instances.end() ? nullptr : found->second.script;
}

std::vector<Entity> GOScriptSystem::tagged(uint64_t tagHash) const {
    std::vector<Entity> found;
    for (auto [first, last] = tags.equal_range(tagHash); first != last; ++first)
        found.push_back(first->second);
    return found;
}

} // namespace Qel
