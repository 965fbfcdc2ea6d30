#pragma once

#include "Files.h"
#include "LogSink.h"
#include "World.h"

#include "ECS/Component/RegisterComponents.h"
#include "ECS/SceneEntities.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

/// Tracks the entities that have a Transform, as the transform system does.
class TransformProbe : public Qel::ISystem {
public:
    void Load() override {
        signature.set(Qel::ComponentManager::instance()->GetComponentType<Qel::Transform>());
    }
    void Initialize() override {}
    void Update(float) override {}
    void EntitySignatureChanged(Qel::Entity entity) override { DefaultEntityTest(entity); }
};

/// The engine world with the component catalogue and one loaded TransformProbe; the log is recorded.
class SceneWorldTest : public ::testing::Test, protected Qel::test::World {
protected:
    void SetUp() override {
        catalogue();
        Qel::TypeName<TransformProbe>::assign("TransformProbe");
        probe = systems->RegisterSystem<TransformProbe>();
        systems->LoadAll();
    }

    bool loadPrefab(const std::string& text) {
        std::istringstream in(text);
        return prefabs->LoadPrefab(in);
    }

    Qel::test::LogSink logged;
    std::shared_ptr<TransformProbe> probe;
};
