#pragma once

#include "World.h"

#include "ECS/Components/Light.h"
#include "ECS/Components/Transform.h"

#include <gtest/gtest.h>

/// The ECS managers with the component catalogue registered.
class LightingWorldTest : public ::testing::Test, protected Qel::test::World {
protected:
    LightingWorldTest() : World(Part::Ecs) { catalogue(); }

    /// A new scene entity at (x, y) with a Transform and, when withLight, a Light of that range.
    Qel::Entity place(float x, float y, float range = 5.0f, bool withLight = true) {
        const Qel::Transform transform{.position = {x, y, 0.0f}};
        return withLight ? spawn(transform, Qel::Light{.range = range}) : spawn(transform);
    }
};
