#pragma once

#include "ECS/System/ISystem.h"
#include "Physics/Manifold.h"
#include "Physics/Quadtree.h"
#include "QelSceneManager/CollisionLayerTable.h"

#include <array>
#include <cstdint>
#include <tuple>
#include <unordered_set>
#include <vector>

namespace Qel {

class Collider2D;
struct RigidBody2D;
struct Transform;

/// Kind of a "handleCollision" message and of the native callback that goes with it.
enum class CollisionEvent : int { Enter = 1, Stay = 2, Exit = 3 };

/// Moves rigid bodies, finds overlapping colliders through a quadtree rebuilt every step, reports
/// enter/stay/exit to the script system and the colliders' native callbacks, and pushes solid
/// bodies apart. One step per Update, with the frame's dt. Its TypeName text is "PhysicsSystem".
class PhysicsSystem : public ISystem {
public:
    PhysicsSystem();

    /// Sets the signature {RigidBody2D, ColliderPtr, Layer}; the step also reads and writes each
    /// entity's Transform.
    void Load() override;
    /// Takes the scene's collision layers, registers every entity's layer, lets "Default" collide
    /// with itself, sizes zero-size colliders from their Transform and installs the tag hooks.
    void Initialize() override;
    /// One step of dt seconds.
    void Update(float dt) override;
    void EntitySignatureChanged(Entity entity) override { DefaultEntityTest(entity); }
    void Unload() override;

    /// The F2 debug view: the broad phase's leaves outlined every step.
    void toggleQuadtreeOutlines() { drawQuadtree = !drawQuadtree; }
    bool quadtreeOutlinesOn() const { return drawQuadtree; }

    /// The colliding pairs of the last step, one per pair.
    const std::vector<Manifold>& manifolds() const { return contacts; }
    const CollisionLayerTable& collisionLayers() const { return layers; }

private:
    enum class Role : uint8_t { Other, Hammer, Player };

    /// What one step needs of an entity, looked up once per step.
    struct StepBody {
        Entity id;
        RigidBody2D* body;
        Transform* transform;
        Collider2D* collider;
        QTBox box;
        CollisionLayerTable::LayerSet mask;
        CollisionLayerTable::LayerSet bits;
        Role role;
        bool disabled;
    };

    void gatherBodies();
    /// False, logged once per relapse, when the entity's position or box is not finite.
    bool placeBody(StepBody& step);
    void buildBroadPhase();
    void detect(const StepBody& self);
    void contact(const StepBody& self, const StepBody& other);
    void reportContactEvents(const StepBody& self, const StepBody& other);
    void runExitPass();
    void resolve(float dt);
    /// Queues a "handleCollision" for the script system; deliverCollisions sends the step's queue.
    void sendCollision(CollisionEvent kind, Entity self, Entity other);
    void deliverCollisions();
    void deliverCollision(CollisionEvent kind, Entity self, Entity other);
    void drawBroadPhase() const;

    CollisionLayerTable layers;
    Quadtree tree;
    std::vector<Manifold> contacts;
    std::vector<StepBody> bodies;
    /// Index into `bodies` by entity id for the current step; -1 for entities not in it.
    std::array<int32_t, MAX_ENTITIES> bodyIndex;
    std::vector<Entity> candidates;
    /// (A, B) of every manifold kept this step, to drop the reverse finding of a pair.
    std::unordered_set<uint64_t> keptPairs;
    /// Entities that touched something this step; the others may exit.
    std::vector<bool> touched;
    std::unordered_set<Entity> reportedNotFinite;
    /// (kind, entity, other) found this step. Scripts answer collisions by creating and destroying
    /// entities (a menu opens, a pickup vanishes), which would free the components this step holds
    /// pointers to, so they hear of them only once the step is done.
    std::vector<std::tuple<CollisionEvent, Entity, Entity>> pendingCollisions;
    enum class ScriptDelivery : uint8_t { Unknown, Found, Missing } scriptDelivery = ScriptDelivery::Unknown;
    bool drawQuadtree = false;
};

} // namespace Qel
