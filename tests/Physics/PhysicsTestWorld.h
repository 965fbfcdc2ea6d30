#pragma once

#include "LogSink.h"
#include "World.h"

#include "ECS/Components/Layer.h"
#include "ECS/Components/RigidBody2D.h"
#include "ECS/Components/Transform.h"
#include "Physics/ColliderPtr.h"
#include "Physics/OBB.h"
#include "Physics/PhysicsSystem.h"
#include "data/NameHash.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <vector>

enum class BodyKind { Static, Kinematic, Dynamic };

/// (kind, entity, other) of every "handleCollision" the script system received.
inline std::vector<std::tuple<int, Qel::Entity, Qel::Entity>> collisionMessages;

/// The engine world with the catalogue, the physics system loaded, and a receiver standing in for
/// the script system that records the collision messages. The navigation grid is empty unless a
/// test sizes it; the log is recorded.
class PhysicsWorldTest : public ::testing::Test, protected Qel::test::World {
protected:
    void SetUp() override {
        catalogue();
        Qel::TypeName<Qel::PhysicsSystem>::assign("PhysicsSystem");
        physics = systems->RegisterSystem<Qel::PhysicsSystem>();
        messages->getReceiver(Qel::hashName("GOScriptSystem"))
            ->addHandler(Qel::hashName("handleCollision"), [](Qel::Message& message) {
                collisionMessages.push_back(*message.argsAs<int, uint64_t, uint64_t>());
            });
        collisionMessages.clear();
        systems->LoadAll();
    }

    /// A unit-mass, drag-free body with an OBB of `size` at `at`, notified to the systems.
    Qel::Entity add(BodyKind kind, glm::vec2 at, glm::vec2 velocity = {0.0f, 0.0f},
                    glm::vec2 size = {1.0f, 1.0f}, const std::string& tag = "Untagged",
                    const std::string& layer = "Default") {
        const Qel::Entity entity = entities->CreateEntity();
        entities->GetInfo(entity)->tag = tag;
        Qel::Transform transform;
        transform.position = {at, 0.0f};
        components->AddComponent(entity, transform);
        Qel::RigidBody2D body;
        body.isStatic = kind == BodyKind::Static;
        body.isKinematic = kind == BodyKind::Kinematic;
        body.isDynamic = kind == BodyKind::Dynamic;
        body.invMass = body.mass = body.isStatic ? 0.0f : 1.0f;
        body.velocity = velocity;
        body.drag = 0.0f;
        components->AddComponent(entity, body);
        auto shape = std::make_unique<Qel::OBB>();
        shape->setScale(size);
        components->AddComponent(entity, Qel::ColliderPtr(std::move(shape), "OBB"));
        components->AddComponent(entity, Qel::Layer{layer});
        systems->NotifyEntityChanged(entity);
        return entity;
    }

    void step(int count = 1) {
        for (int i = 0; i < count; ++i)
            physics->Update(kDt);
    }

    glm::vec2 position(Qel::Entity entity) { return glm::vec2(transform(entity).position); }
    Qel::Transform& transform(Qel::Entity entity) { return get<Qel::Transform>(entity); }
    Qel::RigidBody2D& body(Qel::Entity entity) { return get<Qel::RigidBody2D>(entity); }
    Qel::Collider2D& collider(Qel::Entity entity) { return *get<Qel::ColliderPtr>(entity).collider; }

    static constexpr float kDt = 1.0f / 60.0f;

    Qel::test::LogSink logged;
    std::shared_ptr<Qel::PhysicsSystem> physics;
};
