#pragma once

// A player for the shipped game, driven frame by frame from a test's scene update. It reads the
// screen and the level and answers only with what a player has: the keys W A S D, the cursor and
// the left mouse button. On the title it clicks Play; it clicks through conversations; in a level
// it walks the navigation grid with the enemies' own path search to the nearest living
// Cinderling, aims the cursor at it and swings when it is in reach, and once none is left walks
// onto the exit. Its input reaches the game with the next frame.
#include "ECS/Entity.h"

#include <glm/vec2.hpp>

#include <filesystem>
#include <optional>
#include <vector>

namespace Qel::test {

class Autopilot {
public:
    /// step: the fixed frame time, in seconds. A pilot that does not fight only clicks (Play, the
    /// conversations) and otherwise leaves the game alone.
    Autopilot(float step, bool fights);

    /// This frame's input; call before the systems update.
    void drive();
    /// Call as every scene starts: a level that starts again counts as a restart.
    void sceneStarted();

    /// The hit points the level's health display shows; -1 while it shows none.
    static int shownHealth();
    /// The player's position; nothing while the scene has no player.
    static std::optional<glm::vec2> playerPosition();

    /// The file name of the scene started last.
    std::filesystem::path scene;
    /// Simulated seconds driven so far.
    float seconds = 0.0f;
    int restarts = 0;

private:
    /// Puts the cursor there and presses the left button unless it was pressed less than
    /// `interval` seconds ago; the release follows with the next frame.
    void click(glm::vec2 cursor, float interval);
    void fight(Entity player);
    /// Holds the keys that walk along `direction` (world units) and releases the others.
    void walk(glm::vec2 direction);
    /// Where to walk next from the player's feet towards `goal`.
    glm::vec2 waypoint(glm::vec2 feet, glm::vec2 goal);

    const float step;
    const bool fights;
    std::vector<int> heldKeys;
    bool buttonDown = false;
    float lastClick = -1.0e9f;
};

} // namespace Qel::test
