#pragma once

#include "Files.h"
#include "LogSink.h"
#include "World.h"

#include "ECS/Component/RegisterComponents.h"
#include "ECS/SceneEntities.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

/// Tracks the entities that have a C, as the systems that move or draw them do, and counts its
/// initialisations.
template <class C> class ComponentProbe : public Qel::ISystem {
public:
    void Load() override { signature.set(Qel::ComponentManager::instance()->GetComponentType<C>()); }
    void Initialize() override { ++initializeCalls; }
    void Update(float) override {}
    void EntitySignatureChanged(Qel::Entity entity) override { DefaultEntityTest(entity); }

    int initializeCalls = 0;
};

/// The engine world with the component catalogue and one loaded probe of the entities with a
/// `Watched`; the log is recorded.
template <class Watched = Qel::Transform> class SceneWorldTest : public ::testing::Test, protected Qel::test::World {
protected:
    void SetUp() override {
        catalogue();
        probe = add<ComponentProbe<Watched>>("ComponentProbe");
        systems->LoadAll();
    }

    bool loadPrefab(const std::string& text) {
        std::istringstream in(text);
        return prefabs->LoadPrefab(in);
    }

    Qel::test::LogSink logged;
    std::shared_ptr<ComponentProbe<Watched>> probe;
};
