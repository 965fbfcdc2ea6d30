// Our physics step against Box2D on the same scene: a 100 x 100 room with four static walls and N
// dynamic 1 x 1 boxes on a jittered grid, velocities within +-5, no gravity, 600 steps of 1/60 s.
// Prints, per N and for both: median and 95th-percentile milliseconds per step (processor time of
// the stepping thread, which other work on the machine does not inflate), pairs still overlapping
// by more than 0.05 at the end, boxes outside the walls, and kinetic energy at start and end.
#include "ECS/Component/RegisterComponents.h"
#include "ECS/ComponentManager.h"
#include "ECS/Components/Layer.h"
#include "ECS/Components/RigidBody2D.h"
#include "ECS/Components/Transform.h"
#include "ECS/EntityManager.h"
#include "ECS/System/SystemManager.h"
#include "Physics/ColliderPtr.h"
#include "Physics/OBB.h"
#include "Physics/PhysicsSystem.h"
#include "QelCore/LogManager.h"
#include "QelSceneManager/NodeManager.h"
#include "data/NameHash.h"
#include "messaging/MessageManager.h"

#include <box2d/box2d.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <memory>
#include <random>
#include <vector>

namespace {

constexpr float kRoom = 100.0f;
constexpr float kWallThickness = 2.0f;
constexpr float kDt = 1.0f / 60.0f;
constexpr int kSteps = 600;
constexpr float kOverlapTolerance = 0.05f;
constexpr unsigned kSeed = 20261207;

struct Box {
    float x, y, halfWidth, halfHeight;
};

struct Start {
    std::vector<Box> walls;
    std::vector<Box> boxes;
    std::vector<std::array<float, 2>> velocities;
};

struct Outcome {
    std::vector<double> stepMilliseconds;
    std::vector<Box> boxes;
    double energyStart = 0.0;
    double energyEnd = 0.0;
};

// Uniform in [low, high) from raw mt19937 output, whose sequence the standard fixes.
float uniform(std::mt19937& random, float low, float high) {
    return low + (high - low) * static_cast<float>(random() / 4294967296.0);
}

Start makeStart(int count) {
    Start start;
    const float half = kWallThickness / 2.0f;
    const float span = kRoom / 2.0f + kWallThickness;
    start.walls = {{-half, kRoom / 2.0f, half, span},
                   {kRoom + half, kRoom / 2.0f, half, span},
                   {kRoom / 2.0f, -half, span, half},
                   {kRoom / 2.0f, kRoom + half, span, half}};
    std::mt19937 random(kSeed);
    const int columns = static_cast<int>(std::ceil(std::sqrt(static_cast<double>(count))));
    const float cell = kRoom / static_cast<float>(columns);
    // Jitter keeps neighbours apart at the start: at most a quarter of the free space per side.
    const float jitter = (cell - 1.0f) * 0.25f;
    for (int i = 0; i < count; ++i) {
        const float x = (static_cast<float>(i % columns) + 0.5f) * cell + uniform(random, -jitter, jitter);
        const float y = (static_cast<float>(i / columns) + 0.5f) * cell + uniform(random, -jitter, jitter);
        start.boxes.push_back({x, y, 0.5f, 0.5f});
        start.velocities.push_back({uniform(random, -5.0f, 5.0f), uniform(random, -5.0f, 5.0f)});
    }
    return start;
}

double threadMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) * 1e-6;
}

double energy(const std::vector<std::array<float, 2>>& velocities) {
    double sum = 0.0;
    for (const auto& v : velocities)
        sum += 0.5 * (double(v[0]) * v[0] + double(v[1]) * v[1]);
    return sum;
}

// The managers our step needs, a grid over the room and walls, and a receiver standing in for
// the script system, so collision messages cost what they cost in the game.
Outcome runOurs(const Start& start) {
    auto log = std::make_unique<Qel::LogManager>();
    log->setEchoPriority(Qel::LOG_CRITICAL);
    auto messages = std::make_unique<Qel::MessageManager>();
    auto entities = std::make_unique<Qel::EntityManager>();
    auto components = std::make_unique<Qel::ComponentManager>();
    auto systems = std::make_unique<Qel::SystemManager>();
    auto nodes = std::make_unique<Qel::NodeManager>();
    nodes->grid.origin = glm::vec2(-kWallThickness);
    nodes->grid.resize(int(kRoom + 2 * kWallThickness), int(kRoom + 2 * kWallThickness));
    Qel::assignComponentTypeNames();
    components->RegisterComponent<Qel::Transform>();
    components->RegisterComponent<Qel::RigidBody2D>();
    components->RegisterComponent<Qel::ColliderPtr>();
    components->RegisterComponent<Qel::Layer>();
    Qel::TypeName<Qel::PhysicsSystem>::assign("PhysicsSystem");
    auto physics = systems->RegisterSystem<Qel::PhysicsSystem>();
    messages->getReceiver(Qel::hashName("GOScriptSystem"))
        ->addHandler(Qel::hashName("handleCollision"), [](Qel::Message&) {});
    systems->LoadAll();

    std::vector<Qel::Entity> boxes;
    auto place = [&](const Box& box, bool isStatic, std::array<float, 2> velocity) {
        const Qel::Entity entity = entities->CreateEntity();
        Qel::Transform transform;
        transform.position = {box.x, box.y, 0.0f};
        components->AddComponent(entity, transform);
        Qel::RigidBody2D body;
        body.isStatic = isStatic;
        body.isDynamic = !isStatic;
        body.mass = body.invMass = isStatic ? 0.0f : 1.0f;
        body.velocity = {velocity[0], velocity[1]};
        body.restitution = 0.3f;
        body.drag = 0.0f;
        components->AddComponent(entity, body);
        auto shape = std::make_unique<Qel::OBB>();
        shape->setScale({box.halfWidth * 2.0f, box.halfHeight * 2.0f});
        components->AddComponent(entity, Qel::ColliderPtr(std::move(shape), "OBB"));
        components->AddComponent(entity, Qel::Layer{"Default"});
        systems->NotifyEntityChanged(entity);
        return entity;
    };
    for (const Box& wall : start.walls)
        place(wall, true, {0.0f, 0.0f});
    for (size_t i = 0; i < start.boxes.size(); ++i)
        boxes.push_back(place(start.boxes[i], false, start.velocities[i]));
    systems->InitializeAll();

    Outcome outcome;
    outcome.energyStart = energy(start.velocities);
    for (int i = 0; i < kSteps; ++i) {
        const double began = threadMilliseconds();
        physics->Update(kDt);
        outcome.stepMilliseconds.push_back(threadMilliseconds() - began);
    }
    std::vector<std::array<float, 2>> velocities;
    for (Qel::Entity entity : boxes) {
        const glm::vec3 p = components->GetComponent<Qel::Transform>(entity).position;
        const glm::vec2 v = components->GetComponent<Qel::RigidBody2D>(entity).velocity;
        outcome.boxes.push_back({p.x, p.y, 0.5f, 0.5f});
        velocities.push_back({v.x, v.y});
    }
    outcome.energyEnd = energy(velocities);
    systems->UnloadAll();
    return outcome;
}

Outcome runBox2D(const Start& start) {
    b2World world(b2Vec2(0.0f, 0.0f));
    for (const Box& wall : start.walls) {
        b2BodyDef definition;
        definition.position.Set(wall.x, wall.y);
        b2PolygonShape shape;
        shape.SetAsBox(wall.halfWidth, wall.halfHeight);
        world.CreateBody(&definition)->CreateFixture(&shape, 0.0f);
    }
    std::vector<b2Body*> boxes;
    for (size_t i = 0; i < start.boxes.size(); ++i) {
        b2BodyDef definition;
        definition.type = b2_dynamicBody;
        definition.position.Set(start.boxes[i].x, start.boxes[i].y);
        definition.linearVelocity.Set(start.velocities[i][0], start.velocities[i][1]);
        definition.fixedRotation = true;
        definition.linearDamping = 0.0f;
        b2PolygonShape shape;
        shape.SetAsBox(0.5f, 0.5f);
        b2FixtureDef fixture;
        fixture.shape = &shape;
        fixture.density = 1.0f;
        fixture.friction = 0.0f;
        fixture.restitution = 0.3f;
        b2Body* body = world.CreateBody(&definition);
        body->CreateFixture(&fixture);
        boxes.push_back(body);
    }
    Outcome outcome;
    outcome.energyStart = energy(start.velocities);
    for (int i = 0; i < kSteps; ++i) {
        const double began = threadMilliseconds();
        world.Step(kDt, 8, 3);
        outcome.stepMilliseconds.push_back(threadMilliseconds() - began);
    }
    std::vector<std::array<float, 2>> velocities;
    for (const b2Body* body : boxes) {
        outcome.boxes.push_back({body->GetPosition().x, body->GetPosition().y, 0.5f, 0.5f});
        velocities.push_back({body->GetLinearVelocity().x, body->GetLinearVelocity().y});
    }
    outcome.energyEnd = energy(velocities);
    return outcome;
}

double percentile(std::vector<double> values, double share) {
    const size_t at =
        std::min(values.size() - 1, static_cast<size_t>(share * static_cast<double>(values.size())));
    std::nth_element(values.begin(), values.begin() + static_cast<long>(at), values.end());
    return values[at];
}

float overlapDepth(const Box& a, const Box& b) {
    const float ox = a.halfWidth + b.halfWidth - std::abs(a.x - b.x);
    const float oy = a.halfHeight + b.halfHeight - std::abs(a.y - b.y);
    return std::min(ox, oy);
}

// Box-box and box-wall pairs whose overlap along the shallower axis exceeds the tolerance.
int overlappingPairs(const std::vector<Box>& boxes, const std::vector<Box>& walls) {
    int count = 0;
    for (size_t i = 0; i < boxes.size(); ++i) {
        for (size_t j = i + 1; j < boxes.size(); ++j)
            count += overlapDepth(boxes[i], boxes[j]) > kOverlapTolerance;
        for (const Box& wall : walls)
            count += overlapDepth(boxes[i], wall) > kOverlapTolerance;
    }
    return count;
}

int escaped(const std::vector<Box>& boxes) {
    return static_cast<int>(std::count_if(boxes.begin(), boxes.end(), [](const Box& box) {
        return !(box.x >= 0.0f && box.x <= kRoom && box.y >= 0.0f && box.y <= kRoom);
    }));
}

} // namespace

int main() {
    b2Version version = b2_version;
    std::printf(
        "Box2D %d.%d.%d; %d steps of 1/60 s; ms per step are processor time of the stepping thread\n\n",
        version.major, version.minor, version.revision, kSteps);
    std::printf("| N | ours median | ours p95 | Box2D median | Box2D p95 | ours / Box2D (median) | "
                "overlapping > 0.05 (ours / Box2D) | outside walls (ours / Box2D) | "
                "kinetic energy start | end ours | end Box2D |\n");
    std::printf("|---|---|---|---|---|---|---|---|---|---|---|\n");
    for (int count : {250, 500, 1000, 2000}) {
        const Start start = makeStart(count);
        const Outcome ours = runOurs(start);
        const Outcome box2d = runBox2D(start);
        const double oursMedian = percentile(ours.stepMilliseconds, 0.5);
        const double box2dMedian = percentile(box2d.stepMilliseconds, 0.5);
        std::printf("| %d | %.3f | %.3f | %.3f | %.3f | %.2f | %d / %d | %d / %d | %.0f | %.0f | %.0f |\n",
                    count, oursMedian, percentile(ours.stepMilliseconds, 0.95), box2dMedian,
                    percentile(box2d.stepMilliseconds, 0.95), oursMedian / box2dMedian,
                    overlappingPairs(ours.boxes, start.walls), overlappingPairs(box2d.boxes, start.walls),
                    escaped(ours.boxes), escaped(box2d.boxes), ours.energyStart, ours.energyEnd,
                    box2d.energyEnd);
        std::fflush(stdout);
    }
    return 0;
}
