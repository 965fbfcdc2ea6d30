// Scene-sized entity churn: create MAX_ENTITIES entities with six components each, walk them
// through a system the way a frame does, destroy them as a scene end does. Prints nanoseconds
// per entity for each phase, the median of several runs.
#include "BenchStats.h"
#include "ECS/ComponentManager.h"
#include "ECS/EntityManager.h"
#include "ECS/SceneEntities.h"
#include "ECS/System/SystemManager.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

using namespace Qel;

namespace {

struct Position {
    float x = 0.0f, y = 0.0f;
};
struct Velocity {
    float x = 1.0f, y = 0.5f;
};
struct Scale {
    float x = 1.0f, y = 1.0f;
};
struct Rotation {
    float degrees = 0.0f;
};
struct Tint {
    float r = 1.0f, g = 1.0f, b = 1.0f, a = 1.0f;
};
struct Label {
    std::string text = "entity";
};

/// Integrates positions, as the physics step would.
class MoveSystem : public ISystem {
public:
    void Load() override {
        ComponentManager* components = ComponentManager::instance();
        signature.set(components->GetComponentType<Position>()).set(components->GetComponentType<Velocity>());
    }
    void Initialize() override {}
    void Update(float dt) override {
        ComponentManager* components = ComponentManager::instance();
        for (Entity entity : entities) {
            Position& position = components->GetComponent<Position>(entity);
            const Velocity& velocity = components->GetComponent<Velocity>(entity);
            position.x += velocity.x * dt;
            position.y += velocity.y * dt;
        }
    }
    void EntitySignatureChanged(Entity entity) override { DefaultEntityTest(entity); }
};

using Clock = std::chrono::steady_clock;

double nsPerEntity(Clock::duration elapsed) {
    return std::chrono::duration<double, std::nano>(elapsed).count() / static_cast<double>(MAX_ENTITIES);
}


} // namespace

int main() {
    TypeName<Position>::assign("Position");
    TypeName<Velocity>::assign("Velocity");
    TypeName<Scale>::assign("Scale");
    TypeName<Rotation>::assign("Rotation");
    TypeName<Tint>::assign("Tint");
    TypeName<Label>::assign("Label");
    TypeName<MoveSystem>::assign("MoveSystem");

    auto entities = std::make_unique<EntityManager>();
    auto components = std::make_unique<ComponentManager>();
    auto systems = std::make_unique<SystemManager>();
    components->RegisterComponent<Position>();
    components->RegisterComponent<Velocity>();
    components->RegisterComponent<Scale>();
    components->RegisterComponent<Rotation>();
    components->RegisterComponent<Tint>();
    components->RegisterComponent<Label>();
    systems->RegisterSystem<MoveSystem>();
    systems->LoadAll();

    constexpr int kRuns = 9;
    std::array<std::vector<double>, 3> phases;
    float checksum = 0.0f;
    for (int run = 0; run <= kRuns; ++run) {
        const Clock::time_point start = Clock::now();
        for (Entity n = 0; n < MAX_ENTITIES; ++n) {
            const Entity entity = entities->CreateEntity();
            sceneEntities.insert(entity);
            components->AddComponent(entity, Position{});
            components->AddComponent(entity, Velocity{});
            components->AddComponent(entity, Scale{});
            components->AddComponent(entity, Rotation{});
            components->AddComponent(entity, Tint{});
            components->AddComponent(entity, Label{});
            systems->NotifyEntityChanged(entity);
        }
        const Clock::time_point created = Clock::now();
        systems->UpdateAll(1.0f / 60.0f);
        const Clock::time_point iterated = Clock::now();
        checksum += components->GetComponent<Position>(0).x;
        DestroyAllSceneEntities();
        const Clock::time_point destroyed = Clock::now();
        if (run == 0) continue; // warm-up: first touches of the arrays and map nodes
        phases[0].push_back(nsPerEntity(created - start));
        phases[1].push_back(nsPerEntity(iterated - created));
        phases[2].push_back(nsPerEntity(destroyed - iterated));
    }

    std::printf("ECS, %llu entities x 6 components, median of %d runs (checksum %.3f)\n",
                static_cast<unsigned long long>(MAX_ENTITIES), kRuns, checksum);
    std::printf("  create + add + notify : %8.1f ns/entity\n", Bench::median(phases[0]));
    std::printf("  iterate (1 system)    : %8.1f ns/entity\n", Bench::median(phases[1]));
    std::printf("  destroy all           : %8.1f ns/entity\n", Bench::median(phases[2]));
    systems.reset();
    components.reset();
    entities.reset();
    return 0;
}
