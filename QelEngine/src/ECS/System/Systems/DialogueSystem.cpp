#include "ECS/System/Systems/DialogueSystem.h"

#include "ECS/Component/Components/ComponentReaders.h"
#include "ECS/ComponentManager.h"
#include "ECS/Components/GOScripts.h"
#include "ECS/Components/SpriteRenderer.h"
#include "ECS/Components/Text.h"
#include "ECS/Components/UITransform.h"
#include "ECS/EntityManager.h"
#include "ECS/SceneEntities.h"
#include "ECS/System/SystemManager.h"
#include "ECS/System/Systems/GOScriptSystem.h"
#include "ECS/System/Systems/PauseMenuManager.h"
#include "QelCore/Input.h"
#include "QelCore/LogManager.h"
#include "QelCore/StrongAssert.h"
#include "QelRenderer/Mesh.h"
#include "QelRenderer/Shader.h"
#include "QelRenderer/Texture.h"
#include "QelSceneManager/QelSceneManager.h"
#include "QelScripting/DialogueBindings.h"
#include "QelScripting/LuaScript.h"
#include "data/AssetManager.h"
#include "data/NameHash.h"
#include "messaging/MessageManager.h"

#include <GLFW/glfw3.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

namespace Qel {

namespace {

/// One dialogue entity. Every part stands on the bottom edge of the screen (anchor y -1) and
/// grows upwards from its position (pivot y -0.5); positions and sizes are UI reference units.
struct DGOSetup {
    const char* name;
    glm::vec2 position;
    float width, height;
    /// Draw order within the UI: portraits, then the bubble over them, then the text.
    int32_t layer;
    /// Only the speech text carries a script (and the Text it types into).
    const char* script;
};

constexpr DGOSetup kSetups[DialogueSystem::PartCount] = {
    {"Dialogue_SpeakerLHS", {0.0f, 100.0f}, 350.0f, 350.0f, 10, nullptr},
    {"Dialogue_SpeakerRHS", {650.0f, 100.0f}, 350.0f, 350.0f, 10, nullptr},
    {"Dialogue_SpeechBubble", {0.0f, 250.0f}, 1000.0f, 350.0f, 11, nullptr},
    {"Dialogue_SpeechText", {0.0f, 200.0f}, 900.0f, 300.0f, 12, "DialogueScript"},
};

void queueBroadcast(const char* name) {
    if (MessageManager* messages = MessageManager::instance())
        messages->send(std::make_unique<Message>(hashName(name)), MessageManager::kBroadcast);
}

/// Adds the component and reports one that did not arrive.
template <class T> bool addPart(Entity entity, T component, const char* entityName) {
    ComponentManager& components = *ComponentManager::instance();
    components.AddComponent(entity, std::move(component));
    if (components.HasComponent<T>(entity)) return true;
    const char* type = TypeName<T>::get();
    logf(LOG_CRITICAL, "Failed to add %s to %s", type ? type : "UNKNOWN TYPE", entityName);
    return false;
}

/// Creates one part, a scene entity on the UI list; MAX_ENTITIES when it could not be made whole.
Entity createDGO(const DGOSetup& setup, Shader& shader, Mesh& mesh) {
    SceneManager* scenes = SceneManager::instance();
    // The renderer's UI list lives with the scene's draw lists.
    if (!scenes) QEL_STRONG_ASSERT("Bad Graphics Engine instance");
    EntityManager& registry = *EntityManager::instance();
    const Entity entity = registry.CreateEntity();
    EntityInfo* info = registry.GetInfo(entity);
    if (!info) return MAX_ENTITIES;
    info->name = setup.name;
    // A scene entity like any other, so the scene's end takes it away.
    sceneEntities.insert(entity);

    UITransform layout;
    layout.position = {setup.position, 0.0f};
    layout.pivot.y = -0.5f;
    layout.anchorMin.y = layout.anchorMax.y = -1.0f;
    layout.width = setup.width;
    layout.height = setup.height;
    layout.layer = setup.layer;
    SpriteRenderer sprite;
    sprite.texture = findAsset<Texture>("whiteSquare");
    sprite.shader = &shader;
    sprite.mesh = &mesh;
    bool whole = addPart(entity, layout, setup.name) && addPart(entity, sprite, setup.name);
    if (whole && setup.script) {
        GOScripts scripts;
        scripts.scripts[0] = hashName(setup.script);
        // Built as soon as the script system hears of it, and reachable by triggers while hidden:
        // a conversation starts from another script while the dialogue is not shown.
        scripts.flags = GOScripts::kCanBuild | GOScripts::kAllowDisabledTrigger;
        whole = addPart(entity, Text{}, setup.name) && addPart(entity, scripts, setup.name);
    }
    // False only when the id is listed already, which leaves it listed as wanted.
    scenes->drawLists.addUI(entity);
    if (SystemManager* systems = SystemManager::instance()) systems->NotifyEntityChanged(entity);
    return whole ? entity : MAX_ENTITIES;
}

} // namespace

// A system torn down without its Unload must not stay named as the loaded one.
DialogueSystem::~DialogueSystem() {
    if (current == this) current = nullptr;
}

void DialogueSystem::Load() {
    if (current) QEL_STRONG_ASSERT("Attempted to Load multiple instances of DialogueSystem");
    current = this;
    MessageManager* messages = MessageManager::instance();
    BroadcastReceiver* broadcast = messages ? messages->getReceiver(MessageManager::kBroadcast) : nullptr;
    if (!broadcast) {
        log(LOG_CRITICAL, "Unable to get Broadcast Receiver during DialogueSystem Load!");
        return;
    }
    broadcast->addHandler(hashName("UnPauseSystem"), &DialogueSystem::onUnPause);
}

void DialogueSystem::Unload() {
    if (current == this) current = nullptr;
}

// Leaving the pause menu must not resume play in the middle of a conversation.
void DialogueSystem::onUnPause(Message&) {
    if (current && current->dialogueActive) queueBroadcast("PauseSystem");
}

void DialogueSystem::EntitySignatureChanged(Entity entity) {
    if (!entities.contains(entity) || EntityManager::instance()->Exists(entity)) return;
    entities.erase(entity);
    // Its id may soon name another entity, whose Text must not be typed into.
    for (Entity& part : parts)
        if (part == entity) part = MAX_ENTITIES;
}

void DialogueSystem::Initialize() {
    currentLine.clear();
    shownTime = 0.0f;
    // Normally empty by now: the scene's end destroyed the parts with the rest of the scene.
    const std::vector<Entity> leftovers(entities.begin(), entities.end());
    entities.clear();
    for (Entity entity : leftovers) {
        if (!EntityManager::instance()->Exists(entity)) continue;
        DestroyObject({entity, true});
        if (SceneManager* scenes = SceneManager::instance()) scenes->drawLists.remove(entity);
    }
    dialogueActive = typing = false;
    parts.fill(MAX_ENTITIES);
    createParts();
    show(false);
}

void DialogueSystem::createParts() {
    AssetManager* assets = AssetManager::instance();
    if (!assets || !assets->findRegistry<Shader>() || !assets->findRegistry<Mesh>())
        QEL_STRONG_ASSERT("Bad Asset Manager instance");
    Shader* shader = findAsset<Shader>("sprite");
    if (!shader) QEL_STRONG_ASSERT("Failed to get default \"sprite\" shader for Dialogue System");
    Mesh* mesh = findAsset<Mesh>("quad");
    if (!mesh) QEL_STRONG_ASSERT("Failed to get default \"quad\" mesh for Dialogue System");

    for (size_t part = 0; part < PartCount; ++part) {
        parts[part] = createDGO(kSetups[part], *shader, *mesh);
        if (parts[part] == MAX_ENTITIES)
            QEL_STRONG_ASSERT("Failed to create a Game Object essential for Dialogue System operation");
        entities.insert(parts[part]);
    }

    GOScriptSystem* scripts = GOScriptSystem::active();
    if (!scripts) QEL_STRONG_ASSERT("FAILED TO GET GOSCRIPTSYSTEM");
    // A script that did not load is content gone wrong: the dialogue stays silent.
    const std::shared_ptr<LuaScript> script = scripts->scriptOf(parts[SpeechText]);
    if (!script || !script->loaded()) {
        log(LOG_CRITICAL, "Dialogue Script NOT OK");
        return;
    }
    installDialogueBindings(*script, parts);
}

void DialogueSystem::show(bool shown) {
    EntityManager& registry = *EntityManager::instance();
    for (Entity part : parts) {
        EntityInfo* info = registry.GetInfo(part);
        if (!info) continue;
        info->flags = shown ? info->flags & static_cast<uint8_t>(~EntityInfo::kDisabled)
                            : info->flags | EntityInfo::kDisabled;
    }
}

void DialogueSystem::emptyShownText() {
    ComponentManager& components = *ComponentManager::instance();
    if (parts[SpeechText] != MAX_ENTITIES && components.HasComponent<Text>(parts[SpeechText]))
        components.GetComponent<Text>(parts[SpeechText]).text.clear();
}

void DialogueSystem::setDialogueText(const std::optional<std::string>& text) {
    currentLine = text.value_or(std::string());
    if (text) dialogueActive = typing = true;
    emptyShownText();
    shownTime = 0.0f;
}

void DialogueSystem::startDialogue() {
    shownTime = 0.0f;
    dialogueActive = typing = true;
    show(true);
    queueBroadcast("PauseSystem");
}

void DialogueSystem::stopDialogue() {
    dialogueActive = typing = false;
    currentLine.clear();
    emptyShownText();
    shownTime = 0.0f;
    show(false);
    queueBroadcast("UnPauseSystem");
}

void DialogueSystem::nextLine() {
    GOScriptSystem* scripts = GOScriptSystem::active();
    if (!scripts) QEL_STRONG_ASSERT("GOScriptSystem was unavailable during DialogueSystem update");
    // A state that is running now (its own call led here) must not be entered again.
    const std::shared_ptr<LuaScript> script = scripts->scriptOf(parts[SpeechText]);
    if (script && script->loaded() && !script->busy()) script->call("setNextDialogue");
}

void DialogueSystem::type(float seconds) {
    if (!typing) return;
    shownTime += seconds;
    const double due = std::floor(static_cast<double>(shownTime) / kSecondsPerCharacter);
    size_t count = currentLine.size();
    if (due < static_cast<double>(count)) {
        count = static_cast<size_t>(due);
    } else {
        typing = false;
    }
    ComponentManager& components = *ComponentManager::instance();
    if (parts[SpeechText] == MAX_ENTITIES || !components.HasComponent<Text>(parts[SpeechText])) return;
    // A script may have rewritten the shown text: only what is still missing of the line is added.
    std::string& shown = components.GetComponent<Text>(parts[SpeechText]).text;
    const size_t from = std::min(shown.size(), count);
    shown.append(currentLine, from, count - from);
}

void DialogueSystem::Update(float dt) {
    if (paused || !dialogueActive) return;
    if (shownTime == 0.0f) {
        type(dt);
    } else if (isKeyTriggered(GLFW_MOUSE_BUTTON_LEFT)) {
        if (typing) {
            type(static_cast<float>(currentLine.size()) * kSecondsPerCharacter);
        } else {
            nextLine();
        }
    } else {
        type(dt);
    }
}

} // namespace Qel
