#include "Physics/PhysicsSystem.h"

#include "LogSink.h"
#include "World.h"

#include "ECS/Components/Layer.h"
#include "ECS/Components/RigidBody2D.h"
#include "ECS/Components/Transform.h"
#include "Physics/ColliderPtr.h"
#include "Physics/OBB.h"
#include "data/NameHash.h"

#include <gmock/gmock.h>

#include <cmath>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

namespace Qel {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::UnorderedElementsAre;
using Event = std::tuple<int, Entity, Entity>;

constexpr int kEnter = 1, kStay = 2, kExit = 3;

enum class BodyKind { Static, Kinematic, Dynamic };

/// (kind, entity, other) of every "handleCollision" the script system received.
std::vector<Event> collisionMessages;

/// The engine world with the catalogue, the physics system loaded, and a receiver standing in for
/// the script system that records the collision messages. The navigation grid is empty, so the
/// bodies bound the broad phase (the shipped levels' grids bound it in the game tests); the log is
/// recorded.
class PhysicsSystemTest : public ::testing::Test, protected test::World {
protected:
    void SetUp() override {
        catalogue();
        TypeName<PhysicsSystem>::assign("PhysicsSystem");
        physics = systems->RegisterSystem<PhysicsSystem>();
        messages->getReceiver(hashName("GOScriptSystem"))
            ->addHandler(hashName("handleCollision"), [](Message& message) {
                collisionMessages.push_back(*message.argsAs<int, uint64_t, uint64_t>());
            });
        collisionMessages.clear();
        systems->LoadAll();
    }

    /// A unit-mass, drag-free body with an OBB of `size` at `at`, notified to the systems.
    Entity add(BodyKind kind, glm::vec2 at, glm::vec2 velocity = {0.0f, 0.0f}, glm::vec2 size = {1.0f, 1.0f},
               const std::string& tag = "Untagged", const std::string& layer = "Default") {
        const RigidBody2D body{.mass = kind == BodyKind::Static ? 0.0f : 1.0f,
                               .invMass = kind == BodyKind::Static ? 0.0f : 1.0f,
                               .velocity = velocity,
                               .drag = 0.0f,
                               .isStatic = kind == BodyKind::Static,
                               .isDynamic = kind == BodyKind::Dynamic,
                               .isKinematic = kind == BodyKind::Kinematic};
        auto shape = std::make_unique<OBB>();
        shape->setScale(size);
        const Entity entity = spawn(Transform{.position = {at, 0.0f}}, body,
                                    ColliderPtr(std::move(shape), "OBB"), Layer{layer});
        entities->GetInfo(entity)->tag = tag;
        return entity;
    }

    /// The messages of one step.
    std::vector<Event> stepMessages() {
        collisionMessages.clear();
        step();
        return collisionMessages;
    }

    void step(int count = 1) {
        for (int i = 0; i < count; ++i)
            physics->Update(kDt);
    }

    glm::vec2 position(Entity entity) { return glm::vec2(transform(entity).position); }
    Transform& transform(Entity entity) { return get<Transform>(entity); }
    RigidBody2D& body(Entity entity) { return get<RigidBody2D>(entity); }
    Collider2D& collider(Entity entity) { return *get<ColliderPtr>(entity).collider; }

    static constexpr float kDt = 1.0f / 60.0f;

    test::LogSink logged;
    std::shared_ptr<PhysicsSystem> physics;
};

TEST_F(PhysicsSystemTest, ABodyOnAFloorEntersStaysIsPushedOutWithoutAnImpulseAndExitsOnce) {
    const Entity floor = add(BodyKind::Static, {0.0f, 0.0f}, {}, {10.0f, 1.0f});
    const Entity box = add(BodyKind::Dynamic, {0.0f, 0.8f}, {0.0f, -0.1f});
    physics->Initialize();
    EXPECT_THAT(stepMessages(), ElementsAre(Event{kEnter, box, floor}, Event{kEnter, floor, box}));
    EXPECT_THAT(stepMessages(), ElementsAre(Event{kStay, box, floor}, Event{kStay, floor, box}));
    transform(box).position.y = 5.0f;
    EXPECT_THAT(stepMessages(), UnorderedElementsAre(Event{kExit, box, floor}, Event{kExit, floor, box}));
    EXPECT_THAT(physics->manifolds(), IsEmpty());
    EXPECT_THAT(stepMessages(), IsEmpty());

    // Moved outside physics, a body is found where it is now, not where the last step left it.
    transform(box).position.y = 0.8f;
    EXPECT_THAT(stepMessages(), ElementsAre(Event{kEnter, box, floor}, Event{kEnter, floor, box}));
    // Resting, it gets no impulse but is pushed out.
    step(120);
    EXPECT_FLOAT_EQ(body(box).velocity.y, -0.1f);
    EXPECT_NEAR(position(box).y, 1.0f, 0.02f);
}

TEST_F(PhysicsSystemTest, TwoMovingBodiesReportFromBothSidesButResolveOnce) {
    const Entity left = add(BodyKind::Dynamic, {0.0f, 0.0f}, {1.0f, 0.0f});
    const Entity right = add(BodyKind::Dynamic, {0.8f, 0.0f}, {-1.0f, 0.0f});
    physics->Initialize();
    step();
    ASSERT_EQ(physics->manifolds().size(), 1u);
    // Bounced apart with equal and opposite speeds, slower than they came.
    EXPECT_LT(body(left).velocity.x, 0.0f);
    EXPECT_GT(body(left).velocity.x, -1.0f);
    EXPECT_FLOAT_EQ(body(left).velocity.x, -body(right).velocity.x);
}

TEST_F(PhysicsSystemTest, TriggersAndKinematicPairsReportButAreNeverPushed) {
    static int triggerEnters = 0, triggerStays = 0;
    const Entity trigger = add(BodyKind::Dynamic, {0.0f, 0.0f});
    const Entity other = add(BodyKind::Dynamic, {0.5f, 0.0f});
    collider(trigger).isTrigger = true;
    collider(trigger).onTriggerEnter = [](Entity*, Entity*) { ++triggerEnters; };
    collider(trigger).onTriggerStay = [](Entity*, Entity*) { ++triggerStays; };
    const Entity kinematicA = add(BodyKind::Kinematic, {10.0f, 0.0f}, {1.0f, 0.0f});
    const Entity kinematicB = add(BodyKind::Kinematic, {10.5f, 0.0f}, {-1.0f, 0.0f});
    physics->Initialize();

    const std::vector<Event> first = stepMessages();
    EXPECT_EQ(std::count(first.begin(), first.end(), Event{kEnter, trigger, other}), 2);
    EXPECT_EQ(std::count(first.begin(), first.end(), Event{kEnter, other, trigger}), 1);
    EXPECT_EQ(std::count(first.begin(), first.end(), Event{kEnter, kinematicA, kinematicB}), 1);
    EXPECT_EQ(triggerEnters, 1);
    EXPECT_EQ(triggerStays, 1);
    step(9);
    EXPECT_EQ(position(trigger), glm::vec2(0.0f, 0.0f));
    EXPECT_EQ(position(other), glm::vec2(0.5f, 0.0f));
    // Only their own velocities moved them.
    EXPECT_NEAR(position(kinematicA).x, 10.0f + 10.0f * kDt, 1e-4f);
}

TEST_F(PhysicsSystemTest, PairsAreFilteredByLayerAndTheHammerNeverHitsThePlayer) {
    scenes->collisionLayers.registerLayer("Ghost");
    scenes->collisionLayers.setBits("Ghost", "11");
    const Entity ghost = add(BodyKind::Dynamic, {0.0f, 0.0f}, {}, {1.0f, 1.0f}, "Untagged", "Ghost");
    const Entity plain = add(BodyKind::Dynamic, {0.5f, 0.0f});
    const Entity loner = add(BodyKind::Dynamic, {5.0f, 0.0f}, {}, {1.0f, 1.0f}, "Untagged", "Loner");
    add(BodyKind::Dynamic, {5.5f, 0.0f});
    add(BodyKind::Dynamic, {10.0f, 0.0f}, {1.0f, 0.0f}, {1.0f, 1.0f}, "hammer");
    add(BodyKind::Dynamic, {10.5f, 0.0f}, {-1.0f, 0.0f}, {1.0f, 1.0f}, "playerTag");
    physics->Initialize();
    step();
    // Ghost accepts Default, Default does not accept Ghost; the new layer Loner accepts nothing and
    // Default does not accept it. The hammer and the player overlap without a contact.
    ASSERT_EQ(physics->manifolds().size(), 1u);
    EXPECT_EQ(physics->manifolds()[0].bodyA, &body(ghost));
    EXPECT_EQ(physics->manifolds()[0].bodyB, &body(plain));
    EXPECT_EQ(collider(loner).otherEntity, MAX_ENTITIES);
}

TEST_F(PhysicsSystemTest, DegenerateBodiesAndAMissingScriptSystemNeverCorruptTheStep) {
    // Without a script system the contacts below are still resolved, and that is said once.
    messages->removeReceiver(hashName("GOScriptSystem"));
    const Entity box = add(BodyKind::Dynamic, {30.0f, 0.0f}, {1.0f, 0.0f});
    add(BodyKind::Static, {30.9f, 0.0f});
    // Two bodies given mass 0 meet head on: nothing can take the impulse.
    const Entity massless = add(BodyKind::Dynamic, {0.0f, 0.0f}, {1.0f, 0.0f});
    const Entity alsoMassless = add(BodyKind::Dynamic, {0.8f, 0.0f}, {-1.0f, 0.0f});
    body(massless).invMass = body(alsoMassless).invMass = 0.0f;
    // A drag far above 1/dt stops a body instead of throwing it back.
    const Entity dragged = add(BodyKind::Dynamic, {10.0f, 0.0f}, {3.0f, 0.0f});
    body(dragged).drag = 500.0f;
    // A body without a Transform would otherwise sit at the origin on top of `massless`.
    const Entity unplaced = add(BodyKind::Dynamic, {0.0f, 0.0f});
    components->RemoveComponent<Transform>(unplaced);
    // A broken body is skipped and reported once.
    const Entity broken = add(BodyKind::Dynamic, {20.0f, 0.0f});
    const Entity neighbour = add(BodyKind::Dynamic, {20.5f, 0.0f});
    transform(broken).position.x = NAN;
    physics->Initialize();

    logged.take();
    step(3);
    EXPECT_EQ(body(massless).velocity, glm::vec2(1.0f, 0.0f));
    EXPECT_EQ(body(dragged).velocity, glm::vec2(0.0f, 0.0f));
    EXPECT_EQ(position(dragged), glm::vec2(10.0f, 0.0f));
    EXPECT_EQ(physics->manifolds().size(), 2u) << "the massless pair and the box on its wall";
    EXPECT_LT(body(box).velocity.x, 0.0f);
    EXPECT_EQ(logged.count("Failed to get GOScriptSystemPCH for sending collision msg"), 1u);
    EXPECT_EQ(collider(unplaced).otherEntity, MAX_ENTITIES);
    EXPECT_EQ(collider(neighbour).otherEntity, MAX_ENTITIES);
    const std::string report = "Physics skips entity " + std::to_string(broken);
    EXPECT_EQ(logged.count(report), 1u);
    EXPECT_EQ(QTNodePool::shared().available(), QTNodePool::kCapacity);
}

TEST_F(PhysicsSystemTest, AScriptRemovingWhatItHitsLeavesTheStepSound) {
    // Stands for a script whose collision handler closes a menu or picks an item up: it destroys
    // the other entity, collider and all, while the step that found the contact is still running.
    messages->getReceiver(hashName("GOScriptSystem"))->addHandler(hashName("handleCollision"), [](Message& message) {
        const Entity other = std::get<2>(*message.argsAs<int, uint64_t, uint64_t>());
        if (!EntityManager::instance()->Exists(other)) return;
        ComponentManager::instance()->EntityDestroyed(other);
        EntityManager::instance()->DestroyEntity(other);
        SystemManager::instance()->NotifyEntityChanged(other);
    });
    const Entity left = add(BodyKind::Dynamic, {0.0f, 0.0f}, {1.0f, 0.0f});
    const Entity right = add(BodyKind::Dynamic, {0.8f, 0.0f}, {-1.0f, 0.0f});
    physics->Initialize();
    EXPECT_THAT(stepMessages(), UnorderedElementsAre(Event{kEnter, left, right}, Event{kEnter, right, left},
                                                     Event{kStay, left, right}, Event{kStay, right, left}));
    EXPECT_EQ(entities->LivingCount(), 0u);
    EXPECT_THAT(stepMessages(), IsEmpty());
}

} // namespace
} // namespace Qel
