#include "ContentCheck.h"

#include "CheckKinds.h"

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

#include <iostream>
#include <memory>
#include <streambuf>
#include <vector>

namespace Qel::Check {

namespace {

/// The managers the readers need, in the engine's creation order, deleted in reverse. Those that
/// already exist are used and left to their owner.
class Engine {
public:
    Engine() {
        make<LogManager>();
        make<EntityManager>();
        const bool registered = ComponentManager::instance() != nullptr;
        make<ComponentManager>();
        make<SystemManager>();
        make<PrefabManager>();
        make<AssetManager>();
        make<SceneManager>();
        make<NodeManager>();
        if (!registered) registerComponentTypes(*ComponentManager::instance(), *PrefabManager::instance());
        // Only what a reader says while being watched matters; nothing is kept for a dump file.
        LogManager::instance()->setAddPriority(LOG_CRITICAL);
    }
    ~Engine() {
        DestroyAllSceneEntities();
        while (!owned.empty())
            owned.pop_back();
    }

private:
    template <class T> void make() {
        if (!T::instance()) owned.push_back(std::make_unique<T>());
    }

    std::vector<std::unique_ptr<SBPtrClass>> owned;
};

/// Discards what is written to it.
class NullBuffer : public std::streambuf {
protected:
    int overflow(int c) override { return traits_type::not_eof(c); }
    std::streamsize xsputn(const char*, std::streamsize count) override { return count; }
};

/// Keeps the engine's echo of its log and its other prints off standard output while it lives.
class Silence {
public:
    Silence() : saved(std::cout.rdbuf(&discard)) {}
    ~Silence() { std::cout.rdbuf(saved); }

private:
    NullBuffer discard;
    std::streambuf* saved;
};

} // namespace

std::string formatProblem(const Problem& problem) {
    return problem.file + ": " + (problem.path.empty() ? "" : problem.path + ": ") + problem.text;
}

Report checkContent(const std::filesystem::path& folder) {
    Silence silence;
    Engine engine;
    CheckContext context(folder);
    for (auto* check : kKinds)
        check(context);
    return std::move(context.result);
}

} // namespace Qel::Check
