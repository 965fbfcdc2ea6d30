// A level-sized scene: 3,000 game objects (the entity limit) made from four prefabs, each with its
// own Transform and some with further overrides, plus collision layers and a 64 x 48 navigation
// grid, loaded with the engine's systems registered so each new entity reaches them as in the game.
// Writes it to a file, then times file -> built world (getScene + loadScene) and, apart, the parse
// alone.
// Prints the median of several runs in milliseconds.
#include "BenchStats.h"
#include "ECS/Component/RegisterComponents.h"
#include "ECS/ComponentManager.h"
#include "ECS/EntityManager.h"
#include "ECS/Prefab/PrefabManager.h"
#include "ECS/SceneEntities.h"
#include "ECS/System/RegisterSystems.h"
#include "ECS/System/SystemManager.h"
#include "QelCore/LogManager.h"
#include "QelSceneManager/NodeManager.h"
#include "QelSceneManager/QelSceneManager.h"
#include "data/AssetManager.h"
#include "data/JSON.h"
#include "messaging/MessageManager.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

using namespace Qel;

namespace {

constexpr int kGameObjects = 3000;
constexpr int kRuns = 9;
constexpr int kGridColumns = 64;
constexpr int kGridRows = 48;

constexpr const char* kPrefabs[] = {
    R"({"name": "Tree", "tag": "Scenery", "component": {"types": [
        {"name": "Transform", "scaleX": 2.0, "scaleY": 3.0},
        {"name": "SpriteRenderer", "layerNum": 2, "isCastShadow": true},
        {"name": "ColliderPtr", "type": "OBB", "colliderSizeX": 0.5, "colliderSizeY": 0.5},
        {"name": "Layer", "layerName": "Walls"}]}})",
    R"({"name": "Wolf", "tag": "Enemy", "component": {"types": [
        {"name": "Transform"},
        {"name": "SpriteRenderer", "layerNum": 5},
        {"name": "RigidBody2D", "isStatic": false, "mass": 2.0},
        {"name": "ColliderPtr", "type": "Circle", "colliderSizeX": 0.8},
        {"name": "Enemy", "health": 3, "mspeed": 2.0, "dRange": 8.0, "aspeed": 0.5},
        {"name": "GOScripts", "scripts": [{"file": "Enemy/wolf"}]},
        {"name": "Layer", "layerName": "Enemies"}]}})",
    R"({"name": "Torch", "tag": "Light", "component": {"types": [
        {"name": "Transform"},
        {"name": "SpriteRenderer", "layerNum": 3},
        {"name": "Light", "range": 6.0, "intensity": 1.5}]}})",
    R"({"name": "Floor", "tag": "Ground", "component": {"types": [
        {"name": "Transform"},
        {"name": "SpriteRenderer", "layerNum": 0, "isRecieveShadow": true},
        {"name": "ColliderPtr", "type": "Rect2D"}]}})",
};
constexpr const char* kPrefabNames[] = {"Floor", "Tree", "Wolf", "Torch"};

std::string gameObject(int index) {
    char transform[200];
    std::snprintf(
        transform, sizeof transform,
        R"({"name": "Transform", "positionX": %d.5, "positionY": %d.5, "scaleX": 1.0, "scaleY": 1.0, )"
        R"("rotation": %d.0})",
        index % kGridColumns, index / kGridColumns % kGridRows, index % 4 * 90);
    std::string object = R"({"prefab": ")" + std::string(kPrefabNames[index % 4]) + R"(", "name": "object)" +
                         std::to_string(index) + R"(", "components": [)" + transform;
    // Every third object also recolours its sprite, every seventh overrides its collider.
    if (index % 3 == 0) object += R"(, {"name": "SpriteRenderer", "layerNum": 1, "colorR": 0.8})";
    if (index % 7 == 0) object += R"(, {"name": "ColliderPtr", "type": "Rect2D", "isTrigger": true})";
    return object + "]}";
}

std::string sceneText() {
    std::string text = R"({"Scene": {"BGM": "Music/Level", "cursor": "Crosshair", "gameObjects": [)";
    for (int i = 0; i < kGameObjects; ++i)
        text += (i ? ",\n" : "\n") + gameObject(i);
    text += R"(], "CollisionLayers": {"Layers": [{"layerName": "Walls", "bits": "111"},
        {"layerName": "Enemies", "bits": "11"}]}, "NodeManager": {"offset": [{"offset": 0.0}, {"offset": 0.0}],
        "boundaries": [{"Bounds": 0.0}, {"Bounds": 0.0}, )";
    text += R"({"Bounds": )" + std::to_string(kGridColumns) + R"(.0}, {"Bounds": )" +
            std::to_string(kGridRows) + R"(.0}], "nodes": [)";
    for (int cell = 0; cell < kGridColumns * kGridRows; ++cell)
        text += std::string(cell ? ", " : "") + R"({"walkable": )" + (cell % 11 ? "true" : "false") + "}";
    return text + R"(]}, "lighting": {"ambientX": 0.3, "ambientY": 0.3, "ambientZ": 0.4, "ambientW": 1.0}}})";
}

using Clock = std::chrono::steady_clock;

double milliseconds(Clock::duration elapsed) {
    return std::chrono::duration<double, std::milli>(elapsed).count();
}


} // namespace

int main() {
    // The managers a scene needs, with the log filtered as the game filters it.
    LogManager log;
    log.setEchoPriority(LOG_MED);
    log.setAddPriority(LOG_HIGH);
    MessageManager messages;
    EntityManager entities;
    ComponentManager components;
    SystemManager systems;
    PrefabManager prefabs;
    AssetManager assets;
    SceneManager scenes;
    NodeManager nodes;
    registerComponentTypes(components, prefabs);
    registerSystems(systems);
    systems.LoadAll();
    for (const char* text : kPrefabs) {
        std::istringstream in(text);
        if (!prefabs.LoadPrefab(in)) return 1;
    }

    const std::filesystem::path file = std::filesystem::temp_directory_path() / "qel_bench_scene.json";
    std::ofstream(file) << sceneText();

    // The collision-layer dump and nothing else goes to standard output; keep it off the figures.
    std::streambuf* console = std::cout.rdbuf();
    std::ostringstream discarded;

    std::vector<double> total;
    std::vector<double> parseOnly;
    for (int run = 0; run < kRuns; ++run) {
        std::cout.rdbuf(discarded.rdbuf());
        const Clock::time_point start = Clock::now();
        scenes.setNextScene(file);
        JSON doc;
        const bool read = scenes.getScene(doc);
        const Clock::time_point parsed = Clock::now();
        const bool built = scenes.loadScene(doc);
        const Clock::time_point done = Clock::now();
        std::cout.rdbuf(console);
        discarded.str("");

        if (!read || !built || entities.LivingCount() != static_cast<uint64_t>(kGameObjects)) {
            std::printf("scene did not load (%llu entities)\n",
                        static_cast<unsigned long long>(entities.LivingCount()));
            return 1;
        }
        total.push_back(milliseconds(done - start));
        parseOnly.push_back(milliseconds(parsed - start));
        DestroyAllSceneEntities();
        messages.dispatchAll();
    }
    std::filesystem::remove(file);

    std::printf("scene load, %d game objects from %zu prefabs, median of %d runs:\n", kGameObjects,
                std::size(kPrefabs), kRuns);
    std::printf("  file to built world: %.2f ms\n", Bench::median(total));
    std::printf("  of which read + parse: %.2f ms\n", Bench::median(parseOnly));
    return 0;
}
