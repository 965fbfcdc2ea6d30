#pragma once

#include "ECS/Component/RegisterComponents.h"
#include "ECS/ComponentManager.h"
#include "ECS/Components/Light.h"
#include "ECS/Components/Transform.h"
#include "ECS/EntityManager.h"
#include "QelCore/LogManager.h"

#include <gtest/gtest.h>

#include <memory>

/// The entity and component managers with Transform and Light registered.
class LightingWorldTest : public ::testing::Test {
protected:
    void SetUp() override {
        Qel::assignComponentTypeNames();
        components->RegisterComponent<Qel::Transform>();
        components->RegisterComponent<Qel::Light>();
    }

    /// A new entity at (x, y) with a Transform and, when withLight, a Light of that range.
    Qel::Entity place(float x, float y, float range = 5.0f, bool withLight = true) {
        const Qel::Entity entity = entities->CreateEntity();
        Qel::Transform transform;
        transform.position = {x, y, 0.0f};
        components->AddComponent(entity, transform);
        if (withLight) {
            Qel::Light light;
            light.range = range;
            components->AddComponent(entity, light);
        }
        return entity;
    }

    std::unique_ptr<Qel::LogManager> log = std::make_unique<Qel::LogManager>();
    std::unique_ptr<Qel::EntityManager> entities = std::make_unique<Qel::EntityManager>();
    std::unique_ptr<Qel::ComponentManager> components = std::make_unique<Qel::ComponentManager>();
};
