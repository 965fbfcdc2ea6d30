#pragma once

// The managers a benchmark of engine systems runs on, made in the engine's order with the shipped
// component catalogue and a log that keeps only critical lines. A benchmark registers its systems
// on top, then loads them.
#include "ECS/Component/RegisterComponents.h"
#include "ECS/ComponentManager.h"
#include "ECS/EntityManager.h"
#include "ECS/Prefab/PrefabManager.h"
#include "ECS/System/SystemManager.h"
#include "QelCore/LogManager.h"
#include "data/AssetManager.h"
#include "messaging/MessageManager.h"

namespace Bench {

struct EcsManagers {
    EcsManagers() {
        log.setEchoPriority(Qel::LOG_CRITICAL);
        log.setAddPriority(Qel::LOG_CRITICAL);
        Qel::registerComponentTypes(components, prefabs);
    }

    Qel::LogManager log;
    Qel::MessageManager messages;
    Qel::EntityManager entities;
    Qel::ComponentManager components;
    Qel::SystemManager systems;
    Qel::PrefabManager prefabs;
    Qel::AssetManager assets;
};

} // namespace Bench
