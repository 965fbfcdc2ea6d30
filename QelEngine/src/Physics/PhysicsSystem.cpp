#include "Physics/PhysicsSystem.h"

#include "ECS/ComponentManager.h"
#include "ECS/Components/Layer.h"
#include "ECS/Components/RigidBody2D.h"
#include "ECS/Components/Transform.h"
#include "ECS/EntityManager.h"
#include "Physics/BodyResolution.h"
#include "Physics/BroadPhaseRegion.h"
#include "Physics/ColliderPtr.h"
#include "Physics/ContactTest.h"
#include "Physics/Rect2D.h"
#include "QelCore/LogManager.h"
#include "QelCore/StrongAssert.h"
#include "QelRenderer/GraphicsEngine.h"
#include "QelSceneManager/NodeManager.h"
#include "QelSceneManager/QelSceneManager.h"
#include "data/NameHash.h"
#include "messaging/MessageManager.h"

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <optional>
#include <tuple>

namespace Qel {

namespace {

constexpr uint64_t kHandleCollision = hashName("handleCollision");
constexpr uint64_t kScriptSystemPCH = hashName("GOScriptSystem");
constexpr glm::vec3 kLeafOutlineColor{1.0f, 0.1f, 0.1f};
constexpr size_t kReservedManifolds = 100;

bool finite(glm::vec2 v) {
    return std::isfinite(v.x) && std::isfinite(v.y);
}

uint64_t pairKey(Entity a, Entity b) {
    return a * MAX_ENTITIES + b;
}

// Diagnostic hooks some test scenes tag their entities for.
void printKineEnter(Entity*, Entity*) {
    std::fputs("Enter PS2: Sunny, bright, and hot outside - welcome to another day in paradise.\n", stdout);
}
void printKineStay(Entity*, Entity*) {
    std::fputs("Stay PS2: Please get your attendance in!!!\n", stdout);
}
void printKineExit(Entity*, Entity*) {
    std::fputs("Exit PS2: Stay safe, stay healthy, see you next time.\n", stdout);
}
void bounceOther(Entity*, Entity* other) {
    ComponentManager* components = ComponentManager::instance();
    if (components && components->HasComponent<RigidBody2D>(*other))
        components->GetComponent<RigidBody2D>(*other).velocity *= -1.0f;
}

void call(CollisionCallback callback, Entity self, Entity other) {
    if (callback) callback(&self, &other);
}

} // namespace

PhysicsSystem::PhysicsSystem() {
    bodyIndex.fill(-1);
}

void PhysicsSystem::Load() {
    ComponentManager* components = ComponentManager::instance();
    QEL_ASSERT(components, "Component Manager not ready!");
    const ComponentType body = components->GetComponentType<RigidBody2D>();
    const ComponentType collider = components->GetComponentType<ColliderPtr>();
    const ComponentType layer = components->GetComponentType<Layer>();
    // An unregistered type has no bit; an empty signature would instead match every entity.
    QEL_ASSERT(body < MAX_COMPONENTS && collider < MAX_COMPONENTS && layer < MAX_COMPONENTS,
               "PhysicsSystem needs the RigidBody2D, ColliderPtr and Layer components registered");
    signature = Signature{}.set(body).set(collider).set(layer);
}

void PhysicsSystem::Initialize() {
    SceneManager* scenes = SceneManager::instance();
    layers = scenes ? scenes->collisionLayers : CollisionLayerTable{};
    ComponentManager* components = ComponentManager::instance();
    EntityManager* registry = EntityManager::instance();
    if (components) {
        for (Entity entity : entities) {
            Collider2D* collider = components->GetComponent<ColliderPtr>(entity).collider.get();
            if (!collider) continue;
            const EntityInfo* info = registry ? registry->GetInfo(entity) : nullptr;
            if (info && !collider->isTrigger && info->tag != "enemyTag") {
                if (info->tag == "kine") {
                    collider->onCollisionEnter = printKineEnter;
                    collider->onCollisionStay = printKineStay;
                    collider->onCollisionExit = printKineExit;
                } else if (info->tag == "testTrig1") {
                    collider->onCollisionEnter = bounceOther;
                }
            }
            layers.registerLayer(components->GetComponent<Layer>(entity).layerName);
            if (std::abs(collider->scale.x) < FLT_EPSILON && components->HasComponent<Transform>(entity)) {
                const Transform& transform = components->GetComponent<Transform>(entity);
                collider->setScale({transform.scale.x, transform.scale.y});
            }
        }
    }
    layers.enable("Default", "Default");
    if (contacts.capacity() < kReservedManifolds) contacts.reserve(kReservedManifolds);
}

void PhysicsSystem::Unload() {
    entities.clear();
    contacts.clear();
    reportedNotFinite.clear();
}

void PhysicsSystem::Update(float dt) {
    gatherBodies();
    buildBroadPhase();
    contacts.clear();
    keptPairs.clear();
    touched.assign(bodies.size(), false);
    for (const StepBody& self : bodies)
        detect(self);
    runExitPass();
    resolve(dt);
    if (drawQuadtree) drawBroadPhase();
    tree.clear();
    for (const StepBody& step : bodies)
        bodyIndex[step.id] = -1;
    deliverCollisions();
}

void PhysicsSystem::gatherBodies() {
    bodies.clear();
    ComponentManager* components = ComponentManager::instance();
    EntityManager* registry = EntityManager::instance();
    if (!components) return;
    for (Entity entity : entities) {
        // Never read through the scratch Transform a missing component would hand out.
        if (entity >= MAX_ENTITIES || !components->HasComponent<Transform>(entity)) continue;
        StepBody step{};
        step.id = entity;
        step.collider = components->GetComponent<ColliderPtr>(entity).collider.get();
        if (!step.collider) continue;
        step.body = &components->GetComponent<RigidBody2D>(entity);
        step.transform = &components->GetComponent<Transform>(entity);
        // Placed before the tree is built: whatever moved the entity since the last step
        // (scripts, enemies, animation) must be seen where it is now.
        if (!placeBody(step)) continue;
        const std::string& layer = components->GetComponent<Layer>(entity).layerName;
        step.mask = layers.getMask(layer);
        step.bits = layers.getBits(layer);
        if (const EntityInfo* info = registry ? registry->GetInfo(entity) : nullptr) {
            step.role = info->tag == "hammer"      ? Role::Hammer
                        : info->tag == "playerTag" ? Role::Player
                                                   : Role::Other;
            step.disabled = (info->flags & EntityInfo::kDisabled) != 0;
        }
        bodyIndex[entity] = static_cast<int32_t>(bodies.size());
        bodies.push_back(step);
    }
}

bool PhysicsSystem::placeBody(StepBody& step) {
    RigidBody2D& body = *step.body;
    const Transform& transform = *step.transform;
    body.position = {transform.position.x, transform.position.y};
    body.prevPosition = body.position;
    body.rotation = transform.rotation;
    step.collider->update(body.position, body.rotation);
    const Rect2D box = step.collider->getAABB();
    step.box = {box.min, box.max};
    // A NaN box overlaps every node, forcing the whole tree for one broken body.
    if (finite(body.position) && std::isfinite(body.rotation) && finite(box.min) && finite(box.max)) {
        if (!reportedNotFinite.empty()) reportedNotFinite.erase(step.id);
        return true;
    }
    if (reportedNotFinite.insert(step.id).second)
        logf(LOG_HIGH, "Physics skips entity %llu: its position or collider box is not finite",
             static_cast<unsigned long long>(step.id));
    return false;
}

void PhysicsSystem::buildBroadPhase() {
    const NodeManager* nodes = NodeManager::instance();
    std::optional<QTBox> region = nodes ? gridRegion(nodes->grid) : std::nullopt;
    if (!region) {
        // No navigation grid: the bodies themselves bound the world.
        region = QTBox{glm::vec2(INFINITY), glm::vec2(-INFINITY)};
        for (const StepBody& step : bodies)
            region = unite(*region, step.box);
    }
    tree.reset(*region);
    for (const StepBody& step : bodies)
        tree.insert(step.id, step.box);
}

void PhysicsSystem::detect(const StepBody& self) {
    if (self.body->isStatic || self.disabled) return;
    tree.query(self.box, candidates);
    for (Entity id : candidates) {
        if (id == self.id) continue;
        const StepBody& other = bodies[bodyIndex[id]];
        if (other.disabled) continue;
        if ((self.role == Role::Hammer && other.role == Role::Player) ||
            (self.role == Role::Player && other.role == Role::Hammer))
            continue;
        if ((other.mask & ~self.bits).any()) continue;
        contact(self, other);
    }
}

void PhysicsSystem::contact(const StepBody& self, const StepBody& other) {
    const ContactResult result = testContact(*self.collider, *other.collider);
    if (!result.colliding) return;
    self.collider->otherEntity = other.id;
    other.collider->otherEntity = self.id;
    Manifold pair{self.body,       other.body,         self.transform,
                  other.transform, self.collider,      other.collider,
                  result.normal,   result.penetration, true};
    if (pair.penetration < 0.0f) {
        pair.penetration = -pair.penetration;
        pair.normal = -pair.normal;
    }
    reportContactEvents(self, other);
    touched[bodyIndex[self.id]] = true;
    touched[bodyIndex[other.id]] = true;
    // A pair of two moving bodies is found from both sides; the first finding is resolved.
    if (keptPairs.contains(pairKey(other.id, self.id))) return;
    keptPairs.insert(pairKey(self.id, other.id));
    contacts.push_back(pair);
}

void PhysicsSystem::reportContactEvents(const StepBody& self, const StepBody& other) {
    Collider2D& a = *self.collider;
    Collider2D& b = *other.collider;
    if (a.isTrigger != b.isTrigger) {
        const StepBody& trigger = a.isTrigger ? self : other;
        const StepBody& toucher = a.isTrigger ? other : self;
        const bool staying = trigger.collider->wasColliding;
        sendCollision(staying ? CollisionEvent::Stay : CollisionEvent::Enter, trigger.id, toucher.id);
        call(staying ? trigger.collider->onTriggerStay : trigger.collider->onTriggerEnter, trigger.id,
             toucher.id);
    }
    const bool staying = a.wasColliding && b.wasColliding;
    const CollisionEvent kind = staying ? CollisionEvent::Stay : CollisionEvent::Enter;
    sendCollision(kind, self.id, other.id);
    call(staying ? a.onCollisionStay : a.onCollisionEnter, self.id, other.id);
    sendCollision(kind, other.id, self.id);
    call(staying ? b.onCollisionStay : b.onCollisionEnter, other.id, self.id);
    a.wasColliding = true;
    b.wasColliding = true;
}

void PhysicsSystem::runExitPass() {
    for (size_t i = 0; i < bodies.size(); ++i) {
        if (touched[i]) continue;
        Collider2D& collider = *bodies[i].collider;
        if (collider.wasColliding && collider.otherEntity != MAX_ENTITIES) {
            const Entity self = bodies[i].id;
            const Entity other = collider.otherEntity;
            sendCollision(CollisionEvent::Exit, self, other);
            call(collider.onTriggerExit, self, other);
            call(collider.onCollisionExit, self, other);
        }
        collider.wasColliding = false;
    }
}

void PhysicsSystem::resolve(float dt) {
    for (Manifold& pair : contacts)
        if (isSolidPair(pair)) applyImpulse(pair, dt);
    for (const StepBody& step : bodies) {
        if (step.body->isStatic) continue;
        integrateBody(*step.body, dt);
        step.transform->position.x = step.body->position.x;
        step.transform->position.y = step.body->position.y;
        step.transform->rotation = step.body->rotation;
        step.collider->update(step.body->position, step.body->rotation);
    }
    for (Manifold& pair : contacts) {
        if (!isSolidPair(pair)) continue;
        correctPositions(pair);
        for (auto [body, transform, collider] : {std::tuple{pair.bodyB, pair.transformB, pair.colliderB},
                                                 std::tuple{pair.bodyA, pair.transformA, pair.colliderA}}) {
            transform->position.x = body->position.x;
            transform->position.y = body->position.y;
            collider->update(body->position, transform->rotation);
        }
    }
}

void PhysicsSystem::sendCollision(CollisionEvent kind, Entity self, Entity other) {
    pendingCollisions.emplace_back(kind, self, other);
}

void PhysicsSystem::deliverCollisions() {
    std::vector<std::tuple<CollisionEvent, Entity, Entity>> step;
    step.swap(pendingCollisions);
    for (const auto& [kind, self, other] : step)
        deliverCollision(kind, self, other);
}

void PhysicsSystem::deliverCollision(CollisionEvent kind, Entity self, Entity other) {
    if (scriptDelivery == ScriptDelivery::Missing) return;
    MessageManager* messages = MessageManager::instance();
    if (scriptDelivery == ScriptDelivery::Unknown) {
        if (!messages || !messages->findReceiver(kScriptSystemPCH)) {
            log(LOG_CRITICAL, "Failed to get GOScriptSystemPCH for sending collision msg");
            scriptDelivery = ScriptDelivery::Missing;
            return;
        }
        scriptDelivery = ScriptDelivery::Found;
    }
    if (!messages) return;
    MessageArgs<int, uint64_t, uint64_t> message(kHandleCollision, static_cast<int>(kind), self, other);
    messages->sendImmediate(message, kScriptSystemPCH);
}

void PhysicsSystem::drawBroadPhase() const {
    GraphicsEngine* graphics = GraphicsEngine::instance();
    if (!graphics) return;
    tree.forEachLeaf([graphics](const QTNode& leaf) {
        graphics->debugBox(leaf.centre(), leaf.size(), 0.0f, kLeafOutlineColor);
    });
}

} // namespace Qel
