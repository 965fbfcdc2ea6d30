// "Introlevel_Scripted.json": three rooms joined by corridors, walled in, lit by wall sconces and
// burning cracks. It opens with a conversation; its exit leads down to the second level.
#include "Content.h"
#include "LevelBuilder.h"

namespace ContentGen {

void makeIntroLevel(Content& content) {
    LevelPlan plan;
    plan.sceneFile = "Introlevel_Scripted.json";
    plan.width = 40;
    plan.height = 24;
    plan.rooms = {{1, 2, 12, 9},    // the start room
                  {18, 2, 38, 10},  // the long hall
                  {13, 5, 17, 6},   // hall passage
                  {6, 10, 7, 13},   // down from the start room
                  {24, 11, 29, 13}, // down from the hall
                  {1, 14, 38, 21}}; // the lower cavern
    plan.pillars = {{10, 16, 12, 18}, {27, 16, 29, 18}};
    plan.sconces = {{4, 1}, {10, 1}, {22, 1}, {30, 1}, {36, 1}, {15, 13}, {34, 13}, {11, 18}, {28, 18}};
    plan.embers = {{5, 8}, {35, 5}, {20, 19}};
    plan.rubble = {{2, 6}, {11, 3}, {37, 9}, {2, 20}, {24, 15}, {37, 15}};
    plan.start = {4, 4};
    // The last stands guard in the start room: it finds a player who stays put.
    plan.enemies = {{{26, 4}, {}},  {{33, 8}, {}},  {{8, 20}, {}},
                    {{20, 16}, {}}, {{34, 19}, {}}, {{10, 7}, {}}};
    // The far corner of the lower cavern.
    plan.exit = {37, 20};
    plan.exitScript = "Introlevel/exitTo";
    plan.openingScript = "Introlevel/openingDialogue";
    plan.music = "Music/LevelTheme";
    plan.ambient = {0.55, 0.5, 0.6, 0.6};
    makeLevel(content, plan);
}

} // namespace ContentGen
