#include "LevelBuilder.h"

#include "CharacterArt.h"
#include "ComponentJson.h"
#include "Content.h"
#include "MenuParts.h"
#include "Prefabs.h"
#include "TileSet.h"

#include <string>
#include <utility>
#include <vector>

namespace ContentGen {

namespace {

/// The level on a grid of cells; rows count down from the top, world y counts up from the bottom.
struct LevelMap {
    enum Cell : char { Wall = '#', Floor = '.', Sconce = 'T', Ember = '*', Rubble = 'r' };

    LevelMap(int width, int height) : width(width), height(height), rows(height, std::string(width, Wall)) {}

    void set(const Area& area, Cell cell) {
        for (int r = area.r0; r <= area.r1; ++r)
            for (int x = area.x0; x <= area.x1; ++x)
                if (inside(x, r)) rows[r][x] = cell;
    }
    bool inside(int x, int r) const { return x >= 0 && r >= 0 && x < width && r < height; }
    char at(int x, int r) const { return inside(x, r) ? rows[r][x] : static_cast<char>(Wall); }
    bool walkable(int x, int r) const {
        const char c = at(x, r);
        return c == Floor || c == Ember || c == Rubble;
    }
    static double worldX(int x) { return x + 0.5; }
    double worldY(int r) const { return height - 1 - r + 0.5; }

    int width, height;
    std::vector<std::string> rows;
};

LevelMap buildMap(Content& content, const LevelPlan& plan) {
    LevelMap map(plan.width, plan.height);
    for (const Area& room : plan.rooms)
        map.set(room, LevelMap::Floor);
    for (const Area& pillar : plan.pillars)
        map.set(pillar, LevelMap::Wall);
    for (const Placement s : plan.sconces) {
        if (map.at(s.x, s.row) != LevelMap::Wall || !map.walkable(s.x, s.row + 1)) {
            content.fail(plan.sceneFile + ": a sconce must hang on a wall above the floor");
            continue;
        }
        map.rows[s.row][s.x] = LevelMap::Sconce;
    }
    for (const auto& [cells, cell] :
         {std::pair{&plan.embers, LevelMap::Ember}, {&plan.rubble, LevelMap::Rubble}}) {
        for (const Placement p : *cells) {
            if (!map.walkable(p.x, p.row)) {
                content.fail(plan.sceneFile + ": embers and rubble lie on the floor");
                continue;
            }
            map.rows[p.row][p.x] = cell;
        }
    }
    return map;
}

/// Fails the run when the exit or a Cinderling cannot be walked to from the start (the enemies'
/// path search steps to the four neighbours, as here).
void checkReachable(const LevelMap& map, Content& content, const LevelPlan& plan) {
    std::vector<bool> reached(static_cast<size_t>(map.width * map.height), false);
    const auto index = [&map](Placement p) { return static_cast<size_t>(p.row * map.width + p.x); };
    std::vector<Placement> open;
    if (map.walkable(plan.start.x, plan.start.row)) open.push_back(plan.start);
    for (const Placement p : open)
        reached[index(p)] = true;
    while (!open.empty()) {
        const Placement p = open.back();
        open.pop_back();
        for (const Placement next :
             {Placement{p.x - 1, p.row}, {p.x + 1, p.row}, {p.x, p.row - 1}, {p.x, p.row + 1}}) {
            if (!map.walkable(next.x, next.row) || reached[index(next)]) continue;
            reached[index(next)] = true;
            open.push_back(next);
        }
    }
    const auto unreached = [&](Placement p) { return !map.walkable(p.x, p.row) || !reached[index(p)]; };
    if (unreached(plan.exit)) content.fail(plan.sceneFile + ": the exit cannot be reached from the start");
    for (const EnemyPlacement& enemy : plan.enemies)
        if (unreached(enemy.at))
            content.fail(plan.sceneFile + ": a Cinderling cannot be reached from the start");
}

/// Floor variety by a fixed hash of the cell, so the level looks the same on every run.
Tile floorTile(const LevelMap& map, int x, int r) {
    switch (map.at(x, r)) {
    case LevelMap::Ember:
        return Tile::FloorEmber;
    case LevelMap::Rubble:
        return Tile::FloorRubble;
    default:
        break;
    }
    const unsigned hash = (static_cast<unsigned>(x) * 73856093u) ^ (static_cast<unsigned>(r) * 19349663u);
    const unsigned pick = (hash >> 4) % 16u;
    if (pick < 2) return Tile::FloorAsh;
    return pick < 9 ? Tile::FloorA : Tile::FloorB;
}

/// A wall cell over walkable floor shows its face; any other wall shows its top.
Tile wallTile(const LevelMap& map, int x, int r) {
    if (map.at(x, r) == LevelMap::Sconce) return Tile::WallSconce;
    return map.walkable(x, r + 1) ? Tile::WallFace : Tile::WallTop;
}

void addTiles(const LevelMap& map, JsonValue& objects) {
    for (int r = 0; r < map.height; ++r) {
        for (int x = 0; x < map.width; ++x) {
            const bool floor = map.walkable(x, r);
            const Tile tile = floor ? floorTile(map, x, r) : wallTile(map, x, r);
            const std::string name = std::string(floor ? "Floor_" : "Wall_") + std::to_string(x) + "_" +
                                     std::to_string(map.height - 1 - r);
            objects.push(
                gameObject(kTileNames[static_cast<int>(tile)], name,
                           JsonValue::array().push(transformAt(LevelMap::worldX(x), map.worldY(r)))));
        }
    }
}

/// One static box per horizontal run of wall cells: a handful of bodies instead of hundreds.
void addWallColliders(const LevelMap& map, JsonValue& objects) {
    int count = 0;
    for (int r = 0; r < map.height; ++r) {
        for (int x = 0; x < map.width;) {
            if (map.walkable(x, r)) {
                ++x;
                continue;
            }
            int end = x;
            while (end + 1 < map.width && !map.walkable(end + 1, r))
                ++end;
            const double length = end - x + 1;
            JsonValue components = JsonValue::array();
            components.push(transformAt(x + length / 2.0, map.worldY(r), length, 1.0));
            components.push(JsonValue::component("RigidBody2D").set("isStatic", true));
            components.push(JsonValue::component("ColliderPtr")
                                .set("type", "OBB")
                                .set("colliderSizeX", length)
                                .set("colliderSizeY", 1.0));
            components.push(JsonValue::component("Layer").set("layerName", "Wall"));
            objects.push(gameObject(kWallColliderPrefab, "WallCollider_" + std::to_string(count++),
                                    std::move(components)));
            x = end + 1;
        }
    }
}

void addLights(const LevelMap& map, JsonValue& objects) {
    int count = 0;
    for (int r = 0; r < map.height; ++r) {
        for (int x = 0; x < map.width; ++x) {
            const char cell = map.at(x, r);
            if (cell == LevelMap::Sconce) {
                // Just in front of the wall, so the flame lights the floor below it.
                objects.push(gameObject(
                    kTorchPrefab, "Torch_" + std::to_string(count),
                    JsonValue::array().push(transformAt(LevelMap::worldX(x), map.worldY(r) - 0.6))));
                // The sparks start at the top of the flame drawn on the sconce tile.
                objects.push(gameObject(
                    kTorchEmbersPrefab, "TorchEmbers_" + std::to_string(count++),
                    JsonValue::array().push(transformAt(LevelMap::worldX(x), map.worldY(r) + 0.25))));
            } else if (cell == LevelMap::Ember) {
                objects.push(
                    gameObject(kEmberGlowPrefab, "EmberGlow_" + std::to_string(count++),
                               JsonValue::array().push(transformAt(LevelMap::worldX(x), map.worldY(r)))));
            }
        }
    }
}

JsonValue enemyComponent(const EnemyStats& stats) {
    return JsonValue::component("Enemy")
        .set("health", stats.health)
        .set("mspeed", stats.moveSpeed)
        .set("dRange", stats.detectionRange)
        .set("aspeed", stats.attackTime);
}

void addCharacters(const LevelMap& map, Content& content, const LevelPlan& plan, JsonValue& objects) {
    if (!map.walkable(plan.start.x, plan.start.row))
        content.fail(plan.sceneFile + ": the player must start on the floor");
    // The sprite is two units tall; its feet stand on the start cell.
    objects.push(gameObject(
        kPlayerPrefab, "Player",
        JsonValue::array().push(transformAt(LevelMap::worldX(plan.start.x), map.worldY(plan.start.row) + 0.5,
                                            kCharacterWorldSize, kCharacterWorldSize))));
    int count = 0;
    for (const EnemyPlacement& enemy : plan.enemies) {
        const Placement e = enemy.at;
        if (!map.walkable(e.x, e.row)) content.fail(plan.sceneFile + ": an enemy must stand on the floor");
        JsonValue components =
            JsonValue::array().push(transformAt(LevelMap::worldX(e.x), map.worldY(e.row), 1.5, 1.5));
        if (enemy.stats) components.push(enemyComponent(*enemy.stats));
        objects.push(
            gameObject(kEnemyPrefab, "Cinderling_" + std::to_string(count++), std::move(components)));
    }
}

/// Emitters gameplay switches on with "PS_setActive" (and moves to where the hit or the death is):
/// a short burst of grey dust where the hammer lands and a puff of ash where a Cinderling burns out.
/// Each answers a trigger under its own name (the hammer's script sends them).
void addGameplayEmitters(JsonValue& objects) {
    const EmitterLook dust{kEmberTexture, false,        false,        0.15,        80.0,        {0.25, 0.5},
                           {1.5, 3.0},    {0.08, 0.16}, {0.0, 360.0}, {0.55, 0.7}, {0.5, 0.62}, {0.45, 0.55},
                           0.9,           {1.0, 1.6},   {1.0, 0.1},   {1.0, 0.0}};
    const EmitterLook puff{kEmberTexture, false,       false,        0.3,         60.0,       {0.5, 0.9},
                           {0.6, 1.4},    {0.15, 0.3}, {0.0, 360.0}, {0.25, 0.4}, {0.2, 0.3}, {0.18, 0.25},
                           0.8,           {1.0, 2.0},  {1.0, 0.2},   {1.0, 0.0}};
    struct Burst {
        const char* name;
        EmitterLook look;
        const char* tagScript;
    };
    for (const Burst& burst : {Burst{"HammerHitDust", dust, "Effects/hitDustTag"},
                               Burst{"EnemyDeathPuff", puff, "Effects/deathPuffTag"}})
        objects.push(gameObject("", burst.name,
                                JsonValue::array()
                                    .push(transformAt(0.0, 0.0))
                                    .push(particleEmitter(burst.look))
                                    .push(goScripts({"Effects/burst", burst.tagScript}))));
}

/// The player's hit points, top left on the 2560 x 1440 reference screen; the player's script
/// writes the number.
JsonValue healthDisplay() {
    return gameObject("", "PlayerHealth",
                      JsonValue::array()
                          .push(uiTransform({-1000.0, 640.0, 480.0, 96.0, 1}))
                          .push(text("", 48, palFloat(Pal::Bone), kMiddleLeft))
                          .push(goScripts({"Hud/playerHealth"})));
}

/// The exit, its glow (hidden until it opens) and the burst of sparks it opens with. Other code
/// finds the exit by its name, so there is exactly one "LevelExit" per level.
void addExit(const LevelMap& map, Content& content, const LevelPlan& plan, JsonValue& objects) {
    const Placement e = plan.exit;
    if (!map.walkable(e.x, e.row)) content.fail(plan.sceneFile + ": the exit must lie on the floor");
    const double x = LevelMap::worldX(e.x);
    const double y = map.worldY(e.row);
    objects.push(
        gameObject(kLevelExitPrefab, "LevelExit",
                   JsonValue::array()
                       .push(transformAt(x, y))
                       .push(goScripts({"audioFunctions", "Levels/levelExit", plan.exitScript.c_str()}))));
    objects.push(
        gameObject(kExitGlowPrefab, "LevelExitGlow", JsonValue::array().push(transformAt(x, y)), true));
    const EmitterLook sparks{kEmberTexture, false,       false,        0.25,       160.0,       {0.5, 1.0},
                             {2.0, 4.5},    {0.1, 0.22}, {0.0, 360.0}, {0.9, 1.0}, {0.45, 0.7}, {0.1, 0.2},
                             1.0,           {1.0, 0.3},  {1.0, 0.2},   {1.0, 0.0}};
    objects.push(gameObject("", "LevelExitBurst",
                            JsonValue::array()
                                .push(transformAt(x, y))
                                .push(particleEmitter(sparks))
                                .push(goScripts({"Effects/burst", "Effects/exitBurstTag"}))));
}

JsonValue collisionLayers() {
    // Bits read right to left: Default, Player, Enemy, Wall. Each layer lists what it may hit.
    const auto layer = [](const char* name, const char* bits) {
        return JsonValue::object().set("layerName", name).set("bits", bits);
    };
    return JsonValue::object().set("Layers", JsonValue::array()
                                                 .push(layer("Default", "1111"))
                                                 .push(layer("Player", "1101"))
                                                 .push(layer("Enemy", "1111"))
                                                 .push(layer("Wall", "0111")));
}

JsonValue navigationGrid(const LevelMap& map) {
    JsonValue offset = JsonValue::array();
    offset.push(JsonValue::object().set("offset", 0.0)).push(JsonValue::object().set("offset", 0.0));
    JsonValue bounds = JsonValue::array();
    for (const double value : {0.0, 0.0, static_cast<double>(map.width), static_cast<double>(map.height)})
        bounds.push(JsonValue::object().set("Bounds", value));
    // Row by row from the bottom of the world: x fastest, then y upwards.
    JsonValue nodes = JsonValue::array();
    for (int y = 0; y < map.height; ++y)
        for (int x = 0; x < map.width; ++x)
            nodes.push(JsonValue::object().set("walkable", map.walkable(x, map.height - 1 - y)));
    return JsonValue::object()
        .set("offset", std::move(offset))
        .set("boundaries", std::move(bounds))
        .set("nodes", std::move(nodes));
}

} // namespace

void makeLevel(Content& content, const LevelPlan& plan) {
    const LevelMap map = buildMap(content, plan);
    checkReachable(map, content, plan);
    JsonValue objects = JsonValue::array();
    addTiles(map, objects);
    addWallColliders(map, objects);
    addLights(map, objects);
    addCharacters(map, content, plan, objects);
    addGameplayEmitters(objects);
    objects.push(healthDisplay());
    if (!plan.openingScript.empty()) {
        // The script asks the dialogue for its conversation on the level's first frame.
        JsonValue opening = JsonValue::array().push(JsonValue::object().set("file", plan.openingScript));
        objects.push(gameObject(
            "", "OpeningDialogue",
            JsonValue::array().push(
                JsonValue::component("GOScripts").set("scripts", std::move(opening)).set("canBuild", true))));
    }
    // Escape opens the pause menu only in scenes that carry this marker.
    objects.push(gameObject("", "PauseMenuManager",
                            JsonValue::array().push(JsonValue::component("PauseMenuManager"))));
    addExit(map, content, plan, objects);

    JsonValue scene = JsonValue::object();
    scene.set("cursor", "Crosshair");
    scene.set("BGM", plan.music);
    scene.set("gameObjects", std::move(objects));
    scene.set("CollisionLayers", collisionLayers());
    scene.set("NodeManager", navigationGrid(map));
    scene.set("lighting", JsonValue::object()
                              .set("ambientX", plan.ambient[0])
                              .set("ambientY", plan.ambient[1])
                              .set("ambientZ", plan.ambient[2])
                              .set("ambientW", plan.ambient[3])
                              .set("isLUT", false)
                              .set("lutName", "SepiaLUT16"));
    content.saveScene(plan.sceneFile, JsonValue::object().set("Scene", std::move(scene)));
}

} // namespace ContentGen
