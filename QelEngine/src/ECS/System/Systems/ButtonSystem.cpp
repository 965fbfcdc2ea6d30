#include "ECS/System/Systems/ButtonSystem.h"

#include "ECS/ComponentManager.h"
#include "ECS/Components/Animator.h"
#include "ECS/Components/Button.h"
#include "ECS/Components/SpriteRenderer.h"
#include "ECS/Components/UITransform.h"
#include "ECS/EntityManager.h"
#include "ECS/System/Systems/ButtonHitTest.h"
#include "QelCore/Input.h"
#include "QelCore/StrongAssert.h"
#include "QelCore/WindowHandler.h"
#include "data/NameHash.h"
#include "messaging/MessageManager.h"

#include <GLFW/glfw3.h>

#include <memory>
#include <vector>

namespace Qel {

namespace {

constexpr int kLeftMouseButton = 0;

// The keys that move between buttons: the arrows, W A S D (a pad's sticks and d-pad arrive as
// these), each with its step in UI axes.
constexpr struct {
    int key;
    glm::vec2 step;
} kNavigationKeys[] = {{GLFW_KEY_UP, {0, 1}},    {GLFW_KEY_W, {0, 1}},     {GLFW_KEY_DOWN, {0, -1}},
                       {GLFW_KEY_S, {0, -1}},    {GLFW_KEY_LEFT, {-1, 0}}, {GLFW_KEY_A, {-1, 0}},
                       {GLFW_KEY_RIGHT, {1, 0}}, {GLFW_KEY_D, {1, 0}}};
constexpr uint64_t kAudioManagerKey = hashName("AudioManager");
constexpr uint64_t kMouseHover = hashName("OnMouseHover");
constexpr uint64_t kMouseExit = hashName("OnMouseExit");

void raiseCondition(ComponentManager& components, Entity entity, uint64_t key) {
    if (!components.HasComponent<Animator>(entity)) return;
    for (AnimatorCondition& condition : components.GetComponent<Animator>(entity).conditions)
        if (condition.key == key) condition.raised = true;
}

void click(const Button& button) {
    MessageManager* messages = MessageManager::instance();
    if (!messages) return;
    // The sound first: both go out with the next dispatch, in this order.
    messages->send(
        std::make_unique<MessageArgs<uint64_t>>(hashName("playMFX"), hashName(ButtonSystem::kClickSound)),
        kAudioManagerKey);
    messages->send(std::make_unique<Message>(hashName(button.OnClick)), MessageManager::kBroadcast);
}

} // namespace

void ButtonSystem::Load() {
    ComponentManager* components = ComponentManager::instance();
    QEL_ASSERT(components, "Component Manager not ready!");
    const ComponentType types[] = {components->GetComponentType<Button>(),
                                   components->GetComponentType<UITransform>(),
                                   components->GetComponentType<SpriteRenderer>()};
    signature = Signature{};
    for (ComponentType type : types) {
        // An unregistered type has no bit; an empty signature would instead match every entity.
        QEL_ASSERT(type < MAX_COMPONENTS,
                   "ButtonSystem needs Button, UITransform and SpriteRenderer registered");
        signature.set(type);
    }
}

void ButtonSystem::Initialize() {
    ComponentManager& components = *ComponentManager::instance();
    for (Entity entity : entities)
        components.GetComponent<SpriteRenderer>(entity).color = components.GetComponent<Button>(entity).color;
}

void ButtonSystem::Update(float) {
    const WindowHandler* window = WindowHandler::instance();
    const glm::ivec2 size = window ? window->getCurrentSize()
                                   : glm::ivec2(WindowHandler::kDefaultWidth, WindowHandler::kDefaultHeight);
    const glm::vec2 cursor(getCursorPosition());
    for (const auto& navigation : kNavigationKeys) {
        if (isKeyTriggered(navigation.key)) {
            navigate(size, cursor, navigation.step);
            break;
        }
    }
    pointAt(size, cursor, isKeyTriggered(kLeftMouseButton) || isKeyTriggered(GLFW_KEY_ENTER));
}

void ButtonSystem::navigate(glm::ivec2 size, glm::vec2 cursorPixels, glm::vec2 step) {
    if (size.x <= 0 || size.y <= 0) return;
    const glm::vec2 windowSize(size);
    const glm::vec2 cursor = cursorToUI(cursorPixels, windowSize);
    ComponentManager& components = *ComponentManager::instance();
    EntityManager& entityManager = *EntityManager::instance();
    std::vector<glm::vec2> centres;
    glm::vec2 from = cursor;
    bool fromButton = false;
    for (Entity entity : entities) {
        if (entityManager.IsDisabled(entity) || !components.GetComponent<Button>(entity).enabled) continue;
        const UITransform& element = components.GetComponent<UITransform>(entity);
        centres.push_back(elementCentre(element, windowSize));
        if (!fromButton && isOverElement(element, cursor, windowSize)) {
            from = centres.back();
            fromButton = true;
        }
    }
    if (const auto next = nextFocus(centres, from, step, fromButton)) {
        placeCursor(glm::dvec2(uiToCursor(centres[*next], windowSize)));
    }
}

void ButtonSystem::pointAt(glm::ivec2 size, glm::vec2 cursorPixels, bool clicked) {
    // A minimised window has no area: no box to hit, and the cursor maths would divide by zero.
    if (size.x <= 0 || size.y <= 0) return;
    const glm::vec2 windowSize(size);
    const glm::vec2 cursor = cursorToUI(cursorPixels, windowSize);

    ComponentManager& components = *ComponentManager::instance();
    EntityManager& entityManager = *EntityManager::instance();
    // A click only queues its message, so no handler changes the set during this walk.
    for (Entity entity : entities) {
        if (entityManager.IsDisabled(entity)) continue;
        const Button& button = components.GetComponent<Button>(entity);
        SpriteRenderer& sprite = components.GetComponent<SpriteRenderer>(entity);
        if (!isOverElement(components.GetComponent<UITransform>(entity), cursor, windowSize)) {
            sprite.color = button.color;
            raiseCondition(components, entity, kMouseExit);
            continue;
        }
        if (!button.enabled) continue;
        sprite.color = button.clickColor;
        if (clicked) click(button);
        raiseCondition(components, entity, kMouseHover);
    }
}

} // namespace Qel
