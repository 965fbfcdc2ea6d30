#pragma once

#include "ECS/Component/RegisterComponents.h"
#include "ECS/ComponentManager.h"
#include "ECS/EntityManager.h"
#include "ECS/Prefab/PrefabManager.h"
#include "ECS/SceneEntities.h"
#include "ECS/System/SystemManager.h"
#include "QelCore/LogManager.h"
#include "QelSceneManager/NodeManager.h"
#include "QelSceneManager/QelSceneManager.h"
#include "data/AssetManager.h"
#include "data/JSON.h"
#include "messaging/MessageManager.h"

#include <gtest/gtest.h>

#include <iostream>
#include <memory>
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

/// The managers scenes and prefabs use, created in the engine's order and destroyed in reverse,
/// with the component catalogue registered and one loaded TransformProbe. Standard output (and
/// with it the log) is captured.
class SceneWorldTest : public ::testing::Test {
protected:
    void SetUp() override {
        Qel::registerComponentTypes(*components, *prefabs);
        Qel::TypeName<TransformProbe>::assign("TransformProbe");
        probe = systems->RegisterSystem<TransformProbe>();
        systems->LoadAll();
        ::testing::internal::CaptureStdout();
    }
    void TearDown() override {
        showIfFailed(::testing::internal::GetCapturedStdout());
        Qel::DestroyAllSceneEntities();
    }

    /// What was written to standard output since the last call.
    std::string takeOutput() {
        std::string text = ::testing::internal::GetCapturedStdout();
        ::testing::internal::CaptureStdout();
        showIfFailed(text);
        return text;
    }

    /// Failure messages go to the captured standard output too; a failed test shows it.
    static void showIfFailed(const std::string& text) {
        if (HasFailure()) std::cerr << text;
    }

    static Qel::JSON parse(const std::string& text) {
        Qel::JSON doc;
        std::istringstream in(text);
        doc.parse(in);
        return doc;
    }

    bool loadPrefab(const std::string& text) {
        std::istringstream in(text);
        return prefabs->LoadPrefab(in);
    }

    /// The scene entity named `name`; MAX_ENTITIES when there is none.
    Qel::Entity named(const std::string& name) {
        for (Qel::Entity entity : Qel::sceneEntities) {
            if (entities->GetInfo(entity)->name == name) return entity;
        }
        return Qel::MAX_ENTITIES;
    }

    template <class T> T& get(Qel::Entity entity) { return components->GetComponent<T>(entity); }
    template <class T> bool has(Qel::Entity entity) { return components->HasComponent<T>(entity); }

    std::unique_ptr<Qel::LogManager> log = std::make_unique<Qel::LogManager>();
    std::unique_ptr<Qel::MessageManager> messages = std::make_unique<Qel::MessageManager>();
    std::unique_ptr<Qel::EntityManager> entities = std::make_unique<Qel::EntityManager>();
    std::unique_ptr<Qel::ComponentManager> components = std::make_unique<Qel::ComponentManager>();
    std::unique_ptr<Qel::SystemManager> systems = std::make_unique<Qel::SystemManager>();
    std::unique_ptr<Qel::PrefabManager> prefabs = std::make_unique<Qel::PrefabManager>();
    std::unique_ptr<Qel::AssetManager> assets = std::make_unique<Qel::AssetManager>();
    std::unique_ptr<Qel::SceneManager> scenes = std::make_unique<Qel::SceneManager>();
    std::unique_ptr<Qel::NodeManager> nodes = std::make_unique<Qel::NodeManager>();
    std::shared_ptr<TransformProbe> probe;
};

/// How often `needle` occurs in `text`.
inline size_t countOf(const std::string& text, const std::string& needle) {
    size_t count = 0;
    for (size_t at = text.find(needle); at != std::string::npos; at = text.find(needle, at + needle.size()))
        ++count;
    return count;
}
