// "Introlevel_Scripted.json": three rooms joined by corridors, walled in, lit by wall sconces and
// burning cracks. Every tile is an entity; the navigation grid is derived from the same map, so
// walls and blocked cells always agree.
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

constexpr int kWidth = 40;
constexpr int kHeight = 24;

/// The level on a grid of cells; rows count down from the top, world y counts up from the bottom.
struct LevelMap {
    enum Cell : char { Wall = '#', Floor = '.', Sconce = 'T', Ember = '*', Rubble = 'r' };

    LevelMap() : rows(kHeight, std::string(kWidth, Wall)) {}

    /// Floor over columns x0..x1 and rows r0..r1, inclusive.
    void carve(int x0, int r0, int x1, int r1) {
        for (int r = r0; r <= r1; ++r)
            for (int x = x0; x <= x1; ++x)
                rows[r][x] = Floor;
    }
    void fill(int x0, int r0, int x1, int r1) {
        for (int r = r0; r <= r1; ++r)
            for (int x = x0; x <= x1; ++x)
                rows[r][x] = Wall;
    }
    char at(int x, int r) const {
        return x < 0 || r < 0 || x >= kWidth || r >= kHeight ? static_cast<char>(Wall) : rows[r][x];
    }
    bool walkable(int x, int r) const {
        const char c = at(x, r);
        return c == Floor || c == Ember || c == Rubble;
    }
    static double worldX(int x) { return x + 0.5; }
    static double worldY(int r) { return kHeight - 1 - r + 0.5; }

    std::vector<std::string> rows;
};

struct Placement {
    int x, row;
};

LevelMap buildMap(Content& content) {
    LevelMap map;
    map.carve(1, 2, 12, 9);   // the start room
    map.carve(18, 2, 38, 10); // the long hall
    map.carve(13, 5, 17, 6);  // hall passage
    map.carve(6, 10, 7, 13);  // down from the start room
    map.carve(24, 11, 29, 13);
    map.carve(1, 14, 38, 21); // the lower cavern
    map.fill(10, 16, 12, 18); // two pillars in it
    map.fill(27, 16, 29, 18);
    for (const Placement s :
         {Placement{4, 1}, {10, 1}, {22, 1}, {30, 1}, {36, 1}, {15, 13}, {34, 13}, {11, 18}, {28, 18}}) {
        if (map.at(s.x, s.row) != LevelMap::Wall || !map.walkable(s.x, s.row + 1))
            content.fail("a sconce must hang on a wall above the floor");
        map.rows[s.row][s.x] = LevelMap::Sconce;
    }
    for (const Placement e : {Placement{5, 8}, {35, 5}, {20, 19}})
        map.rows[e.row][e.x] = LevelMap::Ember;
    for (const Placement r : {Placement{2, 6}, {11, 3}, {37, 9}, {2, 20}, {24, 15}, {37, 15}})
        map.rows[r.row][r.x] = LevelMap::Rubble;
    return map;
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
    for (int r = 0; r < kHeight; ++r) {
        for (int x = 0; x < kWidth; ++x) {
            const bool floor = map.walkable(x, r);
            const Tile tile = floor ? floorTile(map, x, r) : wallTile(map, x, r);
            const std::string name = std::string(floor ? "Floor_" : "Wall_") + std::to_string(x) + "_" +
                                     std::to_string(kHeight - 1 - r);
            objects.push(
                gameObject(kTileNames[static_cast<int>(tile)], name,
                           JsonValue::array().push(transformAt(LevelMap::worldX(x), LevelMap::worldY(r)))));
        }
    }
}

/// One static box per horizontal run of wall cells: a handful of bodies instead of hundreds.
void addWallColliders(const LevelMap& map, JsonValue& objects) {
    int count = 0;
    for (int r = 0; r < kHeight; ++r) {
        for (int x = 0; x < kWidth;) {
            if (map.walkable(x, r)) {
                ++x;
                continue;
            }
            int end = x;
            while (end + 1 < kWidth && !map.walkable(end + 1, r))
                ++end;
            const double length = end - x + 1;
            JsonValue components = JsonValue::array();
            components.push(transformAt(x + length / 2.0, LevelMap::worldY(r), length, 1.0));
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
    for (int r = 0; r < kHeight; ++r) {
        for (int x = 0; x < kWidth; ++x) {
            const char cell = map.at(x, r);
            if (cell == LevelMap::Sconce) {
                // Just in front of the wall, so the flame lights the floor below it.
                objects.push(gameObject(
                    kTorchPrefab, "Torch_" + std::to_string(count),
                    JsonValue::array().push(transformAt(LevelMap::worldX(x), LevelMap::worldY(r) - 0.6))));
                // The sparks start at the top of the flame drawn on the sconce tile.
                objects.push(gameObject(
                    kTorchEmbersPrefab, "TorchEmbers_" + std::to_string(count++),
                    JsonValue::array().push(transformAt(LevelMap::worldX(x), LevelMap::worldY(r) + 0.25))));
            } else if (cell == LevelMap::Ember) {
                objects.push(gameObject(
                    kEmberGlowPrefab, "EmberGlow_" + std::to_string(count++),
                    JsonValue::array().push(transformAt(LevelMap::worldX(x), LevelMap::worldY(r)))));
            }
        }
    }
}

void addCharacters(const LevelMap& map, Content& content, JsonValue& objects) {
    const Placement start{4, 4};
    if (!map.walkable(start.x, start.row)) content.fail("the player must start on the floor");
    // The sprite is two units tall; its feet stand on the start cell.
    objects.push(gameObject(
        kPlayerPrefab, "Player",
        JsonValue::array().push(transformAt(LevelMap::worldX(start.x), LevelMap::worldY(start.row) + 0.5,
                                            kCharacterWorldSize, kCharacterWorldSize))));
    int count = 0;
    for (const Placement e : {Placement{26, 4}, {33, 8}, {8, 20}, {20, 16}, {34, 19}}) {
        if (!map.walkable(e.x, e.row)) content.fail("an enemy must stand on the floor");
        objects.push(gameObject(
            kEnemyPrefab, "Cinderling_" + std::to_string(count++),
            JsonValue::array().push(transformAt(LevelMap::worldX(e.x), LevelMap::worldY(e.row), 1.5, 1.5))));
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
    for (const double value : {0.0, 0.0, static_cast<double>(kWidth), static_cast<double>(kHeight)})
        bounds.push(JsonValue::object().set("Bounds", value));
    // Row by row from the bottom of the world: x fastest, then y upwards.
    JsonValue nodes = JsonValue::array();
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            nodes.push(JsonValue::object().set("walkable", map.walkable(x, kHeight - 1 - y)));
    return JsonValue::object()
        .set("offset", std::move(offset))
        .set("boundaries", std::move(bounds))
        .set("nodes", std::move(nodes));
}

} // namespace

void makeIntroLevel(Content& content) {
    const LevelMap map = buildMap(content);
    JsonValue objects = JsonValue::array();
    addTiles(map, objects);
    addWallColliders(map, objects);
    addLights(map, objects);
    addCharacters(map, content, objects);
    addGameplayEmitters(objects);
    objects.push(healthDisplay());
    // The level opens with a conversation; the script asks the dialogue for it on the first frame.
    JsonValue opening =
        JsonValue::array().push(JsonValue::object().set("file", "Introlevel/openingDialogue"));
    objects.push(gameObject(
        "", "OpeningDialogue",
        JsonValue::array().push(
            JsonValue::component("GOScripts").set("scripts", std::move(opening)).set("canBuild", true))));
    // Escape opens the pause menu only in scenes that carry this marker.
    objects.push(gameObject("", "PauseMenuManager",
                            JsonValue::array().push(JsonValue::component("PauseMenuManager"))));

    JsonValue scene = JsonValue::object();
    scene.set("cursor", "Crosshair");
    scene.set("BGM", "Music/LevelTheme");
    scene.set("gameObjects", std::move(objects));
    scene.set("CollisionLayers", collisionLayers());
    scene.set("NodeManager", navigationGrid(map));
    scene.set("lighting", JsonValue::object()
                              .set("ambientX", 0.55)
                              .set("ambientY", 0.5)
                              .set("ambientZ", 0.6)
                              .set("ambientW", 0.6)
                              .set("isLUT", false)
                              .set("lutName", "SepiaLUT16"));
    content.saveScene("Introlevel_Scripted.json", JsonValue::object().set("Scene", std::move(scene)));
}

} // namespace ContentGen
