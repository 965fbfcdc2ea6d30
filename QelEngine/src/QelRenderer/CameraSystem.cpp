#include "QelRenderer/CameraSystem.h"

#include "ECS/ComponentManager.h"
#include "ECS/Components/Camera.h"
#include "ECS/Components/Transform.h"
#include "ECS/EntityManager.h"
#include "QelCore/InputRecording.h"
#include "QelCore/LogManager.h"
#include "QelCore/StrongAssert.h"
#include "QelRenderer/CameraMath.h"
#include "QelRenderer/CameraMotion.h"
#include "QelRenderer/CameraState.h"
#include "QelRenderer/ScreenClear.h"
#include "QelSceneManager/NodeManager.h"
#include "data/NameHash.h"
#include "messaging/MessageManager.h"

#include <GLFW/glfw3.h>

#include <algorithm>

namespace Qel {

namespace {

void onCamShake(Message&) {
    cameraState().shaking = true;
}

// The state always records the colour; GL hears it only when there is a context to take it,
// so the camera runs headless too.
void applyClearColor(glm::vec4 colour) {
    cameraState().clearColor = colour;
    if (glfwGetCurrentContext()) setClearColor(colour.r, colour.g, colour.b, colour.a);
}

// A scene without cameras: origin, default zoom, black.
void showDefaultView(CameraState& state, glm::vec2 window) {
    resetToDefaultView(state, window);
    applyClearColor(state.clearColor);
}

// The level's world box is the navigation grid's; without a NodeManager the last bounds stay.
void takeLevelBounds(CameraState& state) {
    if (const NodeManager* nodes = NodeManager::instance()) {
        state.boundsMin = nodes->grid.origin;
        state.boundsMax = nodes->grid.origin + glm::vec2(nodes->grid.columns, nodes->grid.rows);
    }
}

} // namespace

void CameraSystem::Load() {
    ComponentManager* components = ComponentManager::instance();
    QEL_ASSERT(components, "Component Manager not ready!");
    const ComponentType camera = components->GetComponentType<Camera>();
    const ComponentType transform = components->GetComponentType<Transform>();
    // An unregistered type has no bit; an empty signature would instead match every entity.
    QEL_ASSERT(camera < MAX_COMPONENTS && transform < MAX_COMPONENTS,
               "CameraSystem needs the Camera and Transform components registered");
    signature = Signature{}.set(camera).set(transform);

    MessageManager* messages = MessageManager::instance();
    QEL_ASSERT(messages, "Message Manager not ready!");
    // Handlers on the broadcast receiver cannot be removed one by one, so this one stays for the
    // run; adding it again on the next Load is refused by the receiver, so it never runs twice.
    messages->getReceiver(MessageManager::kBroadcast)->addHandler(hashName("CamShake"), &onCamShake);
}

void CameraSystem::EntitySignatureChanged(Entity entity) {
    const bool match = DefaultEntityTest(entity);
    const auto found = std::find(cameraList.begin(), cameraList.end(), entity);
    if (match && found == cameraList.end()) {
        cameraList.push_back(entity);
    } else if (!match && found != cameraList.end()) {
        cameraList.erase(found);
    }
}

Entity CameraSystem::activeCamera() {
    ComponentManager* components = ComponentManager::instance();
    EntityManager* entityManager = EntityManager::instance();
    if (!components || !entityManager) return MAX_ENTITIES;
    std::stable_sort(cameraList.begin(), cameraList.end(), [components](Entity a, Entity b) {
        return components->GetComponent<Camera>(a).priority < components->GetComponent<Camera>(b).priority;
    });
    const auto found = std::find_if(cameraList.begin(), cameraList.end(), [entityManager](Entity entity) {
        return !entityManager->IsDisabled(entity);
    });
    return found == cameraList.end() ? MAX_ENTITIES : *found;
}

void CameraSystem::Initialize() {
    // Seeded per scene, so that a recorded run's shakes repeat in its replay.
    shakeRandom.seed(randomSeed());
    CameraState& state = cameraState();
    takeLevelBounds(state);
    const glm::vec2 window = currentWindowSize();
    if (cameraList.empty()) {
        showDefaultView(state, window);
        return;
    }
    const Entity active = activeCamera();
    if (active == MAX_ENTITIES) return;

    ComponentManager* components = ComponentManager::instance();
    const Camera& camera = components->GetComponent<Camera>(active);
    if (!isUsableZoom(camera.cameraZoom)) {
        logf(LOG_MED, "Camera of entity %llu has zoom %g; a zoom must be above 0, keeping %g",
             static_cast<unsigned long long>(active), camera.cameraZoom, state.zoom);
    }
    applyClearColor(gammaClearColor(camera.clearColor));
    snapTo(state, camera, components->GetComponent<Transform>(active));
    rebuildMatrices(state, window);
}

void CameraSystem::Update(float dt) {
    CameraState& state = cameraState();
    const glm::vec2 window = currentWindowSize();
    if (cameraList.empty()) {
        showDefaultView(state, window);
        return;
    }
    const Entity active = activeCamera();
    if (active != MAX_ENTITIES) {
        ComponentManager* components = ComponentManager::instance();
        const Camera& camera = components->GetComponent<Camera>(active);
        applyClearColor(gammaClearColor(camera.clearColor));
        easeToward(state, camera, components->GetComponent<Transform>(active), dt);
        keepInBounds(state, cullingHalfExtents(window, state.zoom));
        rebuildMatrices(state, window);
    }
    // Knocked after the matrices were built: the jolt shows next frame, and the follow step then
    // eases back so the jitter settles by itself.
    std::uniform_real_distribution<float> angle(0.0f, 6.2831855f);
    shakeStep(state, dt, angle(shakeRandom));
}

} // namespace Qel
