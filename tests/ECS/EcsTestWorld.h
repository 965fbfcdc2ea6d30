#pragma once

#include "LogSink.h"
#include "World.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

struct Position {
    float x = 0.0f;
    float y = 0.0f;
};
struct Health {
    int hp = 100;
};

/// Lifecycle calls of every ProbeSystem, in order: letter of the call, then the probe's id.
inline std::vector<std::string> probeCalls;

/// A system that records its lifecycle calls and counts notifications about entities that
/// still exist or still have a Position. The test sets its signature.
template <int Id> class ProbeSystem : public Qel::ISystem {
public:
    void Load() override { note("L"); }
    void Initialize() override { note("I"); }
    void Update(float dt) override { note("U" + std::to_string(dt) + "/"); }
    void Unload() override { note("X"); }
    void EntitySignatureChanged(Qel::Entity entity) override {
        if (Qel::EntityManager::instance()->Exists(entity) ||
            Qel::ComponentManager::instance()->HasComponent<Position>(entity))
            ++notifiedWhileAlive;
        DefaultEntityTest(entity);
    }
    void Require(Qel::Signature required) { signature = required; }

    int notifiedWhileAlive = 0;

private:
    static void note(const std::string& call) { probeCalls.push_back(call + std::to_string(Id)); }
};

/// The ECS managers with Position and Health registered; the log is recorded.
class EcsTest : public ::testing::Test, protected Qel::test::World {
protected:
    EcsTest() : World(Part::Ecs) {}
    void SetUp() override {
        Qel::TypeName<Position>::assign("Position");
        Qel::TypeName<Health>::assign("Health");
        components->RegisterComponent<Position>();
        components->RegisterComponent<Health>();
        probeCalls.clear();
    }

    Qel::test::LogSink logged;
};
