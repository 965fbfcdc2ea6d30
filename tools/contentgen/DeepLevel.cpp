// "Deeplevel.json": the second level, deeper and darker. Rooms hold Cinderlings in pairs, some of
// them hardier and quicker than the intro's; its exit leads out to the credits.
#include "Content.h"
#include "LevelBuilder.h"

namespace ContentGen {

void makeDeepLevel(Content& content) {
    // One more hit point, a quicker step, a sharper eye and a faster bite than the prefab's.
    const EnemyStats hardy{4, 3.0, 9.0, 0.5};
    LevelPlan plan;
    plan.sceneFile = "Deeplevel.json";
    plan.width = 44;
    plan.height = 28;
    plan.rooms = {{2, 2, 9, 7},      // where the stairs come down
                  {10, 4, 15, 5},    // east to the twin hall
                  {16, 2, 27, 10},   // the twin hall
                  {28, 6, 30, 7},    // on to the barracks
                  {31, 2, 41, 9},    // the barracks
                  {24, 11, 25, 14},  // down from the twin hall
                  {38, 10, 39, 14},  // down from the barracks
                  {5, 8, 6, 11},     // down from the stairs
                  {2, 12, 11, 25},   // the west gallery
                  {12, 20, 13, 21},  // gallery to the furnace
                  {14, 15, 41, 25}}; // the furnace
    plan.pillars = {{22, 5, 23, 7}, {20, 19, 21, 20}, {28, 17, 29, 18}, {34, 21, 35, 22}, {6, 16, 7, 18}};
    plan.sconces = {{5, 1},  {18, 1},  {25, 1},  {33, 1},  {39, 1},  {22, 7}, {3, 11},
                    {9, 11}, {17, 14}, {30, 14}, {35, 14}, {28, 18}, {6, 18}};
    plan.embers = {{7, 5}, {26, 6}, {36, 6}, {4, 21}, {25, 20}, {39, 22}, {16, 24}};
    plan.rubble = {{3, 3}, {17, 9}, {40, 3}, {15, 24}, {33, 16}, {10, 13}, {11, 25}};
    plan.start = {4, 4};
    plan.enemies = {{{20, 3}, {}},    {{20, 9}, {}},                     // the twin hall's pair
                    {{34, 4}, hardy}, {{38, 8}, hardy},                  // the barracks' pair
                    {{4, 15}, {}},    {{9, 23}, {}},                     // the gallery
                    {{20, 17}, {}},   {{30, 22}, hardy}, {{36, 17}, {}}, // the furnace
                    {{5, 10}, {}}}; // on guard below the stairs, for a player who stays put
    // The furnace's far corner, past its last Cinderlings.
    plan.exit = {40, 24};
    plan.exitScript = "Deeplevel/exitTo";
    plan.music = "Music/DeepTheme";
    plan.ambient = {0.45, 0.4, 0.5, 0.55};
    makeLevel(content, plan);
}

} // namespace ContentGen
