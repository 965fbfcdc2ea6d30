#pragma once

#include "ECS/Component/ComponentCatalogue.h"
#include "ECS/ComponentManager.h"
#include "ECS/EntityManager.h"
#include "ECS/System/SystemManager.h"
#include "QelCore/LogManager.h"
#include "data/AssetManager.h"

/// The managers a fuzz target needs to build entities: a log that keeps only CRITICAL lines (so
/// formatting still runs without flooding the output) and every component type registered.
/// Targets make one per process and add what else they need beside it.
struct EcsWorld {
    EcsWorld() {
        log.setAddPriority(Qel::LOG_CRITICAL);
        log.setEchoPriority(Qel::LOG_CRITICAL);
        Qel::assignComponentTypeNames();
        Qel::forEachComponentType([&]<class T>() { components.RegisterComponent<T>(); });
    }

    Qel::LogManager log;
    Qel::EntityManager entities;
    Qel::ComponentManager components;
    Qel::SystemManager systems;
    Qel::AssetManager assets;
};
