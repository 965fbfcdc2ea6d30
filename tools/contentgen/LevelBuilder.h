#pragma once

// The levels are built from plans: a walled map carved into rooms, what stands in it, and how the
// scene around it looks and sounds. Every tile is an entity; the navigation grid is derived from
// the same map, so walls and blocked cells always agree.
#include <array>
#include <optional>
#include <string>
#include <vector>

namespace ContentGen {

class Content;

/// A cell of the map: column x from the left, row from the top.
struct Placement {
    int x, row;
};

/// Columns x0..x1 and rows r0..r1 of the map, inclusive.
struct Area {
    int x0, r0, x1, r1;
};

/// A Cinderling's behaviour where it differs from the prefab's (the scene replaces the whole
/// Enemy component).
struct EnemyStats {
    int health;
    /// Cells per second, world units, seconds of wind-up.
    double moveSpeed, detectionRange, attackTime;
};

struct EnemyPlacement {
    Placement at;
    std::optional<EnemyStats> stats;
};

struct LevelPlan {
    std::string sceneFile;
    int width, height;
    /// Floor carved out of solid wall, then wall put back (pillars), in order.
    std::vector<Area> rooms, pillars;
    /// Wall cells above the floor that carry a burning sconce.
    std::vector<Placement> sconces;
    /// Floor cells that glow, and floor cells strewn with rubble.
    std::vector<Placement> embers, rubble;
    /// Where the player's feet stand.
    Placement start;
    std::vector<EnemyPlacement> enemies;
    /// The way on, shut until every Cinderling is dead; the script sets the next scene.
    Placement exit;
    std::string exitScript;
    /// Played by the level when it starts; empty for none.
    std::string openingScript;
    std::string music;
    /// The ambient light (r, g, b, strength).
    std::array<double, 4> ambient;
};

/// Writes Assets/Scenes/<plan.sceneFile>; a plan whose placements do not fit its map fails the run.
void makeLevel(Content& content, const LevelPlan& plan);

} // namespace ContentGen
