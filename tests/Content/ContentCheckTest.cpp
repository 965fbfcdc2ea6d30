// The content checker reports planted faults at their file and JSON path, and the shipped scenes
// build into a world with the pieces the game needs.
#include "../ECS/Prefab/SceneTestWorld.h"
#include "ContentFiles.h"

#include "ContentCheck.h"
#include "ECS/Component/ComponentCatalogue.h"
#include "ECS/System/Systems/MenuSettings.h"
#include "QelRenderer/AnimationController.h"
#include "QelRenderer/AnimationLoading.h"
#include "QelRenderer/TextureMetadata.h"

#include <gmock/gmock.h>
#include <stb_image.h>

#include <cmath>
#include <fstream>
#include <regex>
#include <set>
#include <vector>

using namespace Qel;
namespace fs = std::filesystem;

namespace {

using test::filesIn;
using test::kAssets;

TEST(ContentCheck, PlantedFaultsAreReportedAtTheirFileAndPath) {
    test::Sandbox content("content");
    fs::copy(kAssets / "Meshes", content / "Meshes");
    fs::copy(kAssets / "Audio", content / "Audio", fs::copy_options::recursive);
    fs::remove(content / "Audio/SwappingTabs/SwabTabs.ogg");
    test::writeText(content / "Audio/Hum.ogg", "hum");
    test::writeText(content / "Scripts/helpers.lua", "function greet() end\n");
    test::writeText(content / "Scripts/bad.lua", "function onUpdate(dt, done)\n  greet() -- os.exit()\n"
                                                 "  local t = os.time()\n  vanish(dt)\n  done()\n  playSFX(\"Hum\")\n"
                                                 "  playSFX( \"Thud\" )\nend\n");
    test::writeText(content / "Scripts/broken.lua", "function (\n");
    std::string menu =
        R"({"gameObjects": [{"name": "Dancer", "components": [{"name": "Button", "OnClick": "Dance"}]})";
    for (const char* name : SettingsView::kNames)
        menu += R"(, {"name": ")" + std::string(name) + R"(", "components": [{"name": "UITransform"}]})";
    test::writeText(content / "PauseData/SettingsMenu.json",
                    menu + R"(, {"name": "UnsavedPanel", "components": [{"name": "UITransform"}]}]})");
    test::writeText(content / "Scenes/Quiet.json", R"({"Scene": {"gameObjects": []}})");
    test::writeText(content / "Meshes/lineWireframe.msh", "n line\nv 0.0 0.0\nv 1.0 zero\nll 0\n");
    test::writeSolidPng(content / "Art/Rock.png", 4, {90, 90, 90, 255});
    test::writeText(content / "Art/Rock.png.mdata", R"({"wrapmode": "wrap", "sRGB": 1})");
    test::writePng(content / "Art/Grey.png", 1, 1, 2, {90, 255});
    test::writeText(content / "Art/Grey.png.mdata", "{}");
    test::writeSolidPng(content / "Cursors/Default.png", 32, {0, 0, 0, 255});
    test::writeText(content / "Cursors/Default.json", R"({"offsetX": 40, "offsetY": 2})");
    test::writeText(content / "JSON/Idle.anim", R"({"config": {"isLoop": true, "start": 0.0, "end": 1.0}})");
    test::writeText(content / "JSON/Broken.anim", R"({"positionFrames": {"frames": []}})");
    test::writeText(content / "JSON/rock.animcontroller", R"({"config": {"defaultState": "idle"},
        "animationStates": {"state": [{"name": "idle", "clip": "Idle", "playbackSpeed": 1,
                                       "transition": [{"targetState": "roll", "name": "isRolling"}]},
                                      {"name": "fall", "clip": "Fall", "playbackSpeed": 1.0}]}})");
    test::writeText(content / "Prefabs/Rock.json", R"({"name": "Rock", "tag": "rock", "component": {"types": [
        {"name": "Transform", "scaleX": 2},
        {"name": "Wobble"},
        {"name": "SpriteRenderer", "texture": "Pebble"},
        {"name": "Animator", "animatorController": "rock"},
        {"name": "GOScripts", "scripts": [{"file": "ghost"}]}]}})");
    test::writeText(content / "Prefabs/Nameless.json", R"({"tag": "dust", "component": {"types": []}})");
    test::writeText(content / "Scenes/Level.json",
                    R"({"Scene": {"cursor": "Hand", "BGM": "Drums", "gameObjects": [
        {"prefab": "Rock", "components": [{"name": "RigidBody2D", "isStatic": false, "mass": 4}]},
        {"prefab": "Boulder", "components": []},
        {"name": "Sign", "components": [{"name": "Text", "text": "Mind the rocks", "font": "Runes"}]},
        {"prefab": "Rock", "components": [{"name": "ParticleEmitter", "lifetime": 1.0, "speed": 1.0, "size": 1.0,
                                           "rotation": 0.0}]}]}})");

    struct Fault {
        const char* file;
        const char* path;
        const char* says;
    };
    const Fault faults[] = {
        {"Meshes/lineWireframe.msh", "", "malformed"},
        {"Art/Rock.png.mdata", "sRGB", "found the integer 1, expected true or false"},
        {"Art/Grey.png", "", "has 2 channels"},
        {"Cursors/Default.json", "", "(40, 2) lies outside the 32 x 32 image"},
        {"JSON/Broken.anim", "", "Invalid animation file!"},
        {"JSON/rock.animcontroller", "animationStates.state[0].playbackSpeed",
         "found the integer 1, expected a real, written with a decimal point: 1.0"},
        {"JSON/rock.animcontroller", "animationStates.state[1]", "Fall"},
        {"JSON/rock.animcontroller", "animationStates.state", "moves to \"roll\""},
        {"Prefabs/Nameless.json", "name", "missing"},
        {"Prefabs/Rock.json", "component.types[0].scaleX",
         "expected a real, written with a decimal point: 2.0"},
        {"Prefabs/Rock.json", "component.types[1]", "Unknown component"},
        {"Prefabs/Rock.json", "component.types[2].texture", "the texture \"Pebble\""},
        {"Scenes/Level.json", "Scene.gameObjects[0].components[0].mass", "found the integer 4"},
        {"Scenes/Level.json", "Scene.gameObjects[1]", "Prefab \"Boulder\" does not exist"},
        {"Scenes/Level.json", "Scene.gameObjects[2].components[0].font", "the font \"Runes\""},
        {"Scenes/Level.json", "Scene.gameObjects[3].components[0]", "emitter has no valid texture!"},
        {"Scenes/Level.json", "Scene.cursor", "the cursor \"Hand\""},
        {"Scenes/Level.json", "Scene.BGM", "the sound \"Drums\""},
        {"Scenes/Quiet.json", "Scene.BGM", "missing"},
        {"Audio/Hum.ogg", "", "cannot be decoded"},
        {"Audio", "", "the menus play the sound \"SwappingTabs/SwabTabs\", which is missing"},
        {"Scripts/broken.lua", "", "fails validation"},
        {"Scripts/broken.lua", "", "[LUA ERROR]"},
        {"Scripts/bad.lua", "line 3", "uses \"os\""},
        {"Scripts/bad.lua", "line 4", "calls \"vanish\""},
        {"Scripts/bad.lua", "line 7", "names the sound \"Thud\""},
        {"Prefabs/Rock.json", "component.types[4].scripts[0].file", "the script \"ghost\""},
        {"PauseData/SettingsMenu.json", "", "\"Dance\", which no menu takes"},
        {"PauseData/SettingsMenu.json", "", "2 entities are named \"UnsavedPanel\""},
    };
    const Check::Report report = Check::checkContent(content.path());
    std::vector<std::string> lines;
    for (const Check::Problem& problem : report.problems)
        lines.push_back(Check::formatProblem(problem));
    for (const Fault& fault : faults) {
        const std::string place =
            std::string(fault.file) + ": " + (*fault.path ? std::string(fault.path) + ": " : "");
        EXPECT_THAT(lines, testing::Contains(
                               testing::AllOf(testing::StartsWith(place), testing::HasSubstr(fault.says))))
            << place << fault.says;
    }
    EXPECT_EQ(lines.size(), std::size(faults)) << testing::PrintToString(lines);
}

class ContentCheckTest : public SceneWorldTest<> {
protected:
    void SetUp() override {
        SceneWorldTest::SetUp();
        // The LOW "not found" lines of keys left at their defaults would fill the log's buffer.
        log->setAddPriority(LOG_MED);
        log->setEchoPriority(LOG_MED);
        // Animators find their controllers by name, as in the game.
        loadAnimationFolder(kAssets / "JSON");
    }

    /// Loads every prefab and builds the scene through the SceneManager, as the scene state does.
    bool loadShippedScene(const std::string& file) {
        if (prefabs->PrefabCount() == 0) prefabs->LoadAllPrefabs(kAssets / "Prefabs");
        return loadScene(kAssets / "Scenes" / file);
    }

    std::vector<Entity> tagged(const std::string& tag) {
        std::vector<Entity> found;
        for (Entity entity : sceneEntities)
            if (entities->GetInfo(entity)->tag == tag) found.push_back(entity);
        return found;
    }

    /// Walls, grid, colliders and characters of one shipped level agree.
    void checkLevel(const std::string& file) {
        ASSERT_TRUE(loadShippedScene(file));
        ASSERT_TRUE(nodes->isLoaded());
        const NavGrid& grid = nodes->grid;
        const auto cellAt = [&](glm::vec2 point) { return grid.cellOf(point); };

        // Exactly one tile per cell: a wall tile on every blocked cell, a floor tile on every other.
        std::vector<int> tilesPerCell(grid.cells.size(), 0);
        for (const auto& [tag, blocked] : {std::pair{"WallTile", true}, std::pair{"Floor", false}}) {
            for (Entity tile : tagged(tag)) {
                const glm::ivec2 cell = cellAt(glm::vec2(get<Transform>(tile).position));
                ASSERT_TRUE(grid.contains(cell)) << entities->GetInfo(tile)->name;
                EXPECT_EQ(grid.at(cell).blocked, blocked) << entities->GetInfo(tile)->name;
                ++tilesPerCell[static_cast<size_t>(cell.y * grid.columns + cell.x)];
            }
        }
        EXPECT_THAT(tilesPerCell, testing::Each(1));

        // The wall colliders cover the blocked cells and nothing else.
        std::vector<bool> covered(grid.cells.size(), false);
        for (Entity wall : tagged("Wall")) {
            ASSERT_TRUE(has<ColliderPtr>(wall) && has<RigidBody2D>(wall));
            EXPECT_TRUE(get<RigidBody2D>(wall).isStatic);
            const glm::vec2 centre(get<Transform>(wall).position);
            const glm::vec2 half = get<ColliderPtr>(wall).collider->scale * 0.5f;
            for (float x = centre.x - half.x + 0.5f; x < centre.x + half.x; x += 1.0f)
                for (float y = centre.y - half.y + 0.5f; y < centre.y + half.y; y += 1.0f)
                    covered[static_cast<size_t>(cellAt({x, y}).y * grid.columns + cellAt({x, y}).x)] = true;
        }
        for (size_t i = 0; i < grid.cells.size(); ++i)
            EXPECT_EQ(covered[i], grid.cells[i].blocked) << "cell " << i;

        // The player (feet on its cell, camera on it) and the enemies stand on walkable cells.
        const std::vector<Entity> players = tagged("playerTag");
        ASSERT_EQ(players.size(), 1u);
        EXPECT_TRUE(has<Camera>(players[0]));
        const glm::vec2 feet = glm::vec2(get<Transform>(players[0]).position) - glm::vec2(0.0f, 0.5f);
        EXPECT_FALSE(grid.at(cellAt(feet)).blocked);
        // Enough living Cinderlings and the exit are proven by the level-exit run.
        for (Entity entity : sceneEntities) {
            if (!has<Enemy>(entity)) continue;
            EXPECT_FALSE(grid.at(cellAt(glm::vec2(get<Transform>(entity).position))).blocked);
            ASSERT_TRUE(has<Animator>(entity));
            EXPECT_NE(get<Animator>(entity).currentState, nullptr) << "a Cinderling animates";
        }
        EXPECT_FALSE(tagged("Light").empty());
        EXPECT_EQ(scenes->lighting.lutName, "SepiaLUT16");
    }
};

TEST_F(ContentCheckTest, SpriteSheetFramesAndLookUpTableMatchTheirLayout) {
    // Named frames lie side by side, equally wide, on whole pixels, covering the sheet.
    for (const fs::path& image : filesIn(kAssets / "Art", {".png"})) {
        const TextureMetadata metadata = readTextureMetadata(image.string());
        if (metadata.subTextures.empty()) continue;
        int width = 0, height = 0, channels = 0;
        ASSERT_TRUE(stbi_info(image.string().c_str(), &width, &height, &channels)) << image;
        const float frameWidth = 1.0f / static_cast<float>(metadata.subTextures.size());
        std::set<int> columns;
        for (const auto& [name, frame] : metadata.subTextures) {
            EXPECT_FLOAT_EQ(frame.sizeX, frameWidth) << image.filename() << " " << name;
            EXPECT_FLOAT_EQ(frame.sizeY, 1.0f) << image.filename() << " " << name;
            columns.insert(static_cast<int>(std::lround(frame.offsetX / frameWidth)));
        }
        EXPECT_EQ(columns.size(), metadata.subTextures.size()) << image.filename();
        EXPECT_EQ(width % static_cast<int>(metadata.subTextures.size()), 0) << image.filename();
    }

    // The look-up table is sampled as stored: linear, clamped at its edges.
    const TextureMetadata lut = readTextureMetadata((kAssets / "Art/SepiaLUT16.png").string());
    EXPECT_FALSE(lut.sRGB);
    EXPECT_EQ(lut.wrapMode, kTextureWrapClampToEdge);
    EXPECT_EQ(lut.filterMode, kTextureFilterLinear);

    // The grade is read at x = blue * 16 + red and, green growing upward, at row 15 - green.
    const test::Image grade = test::readPng(kAssets / "Art/SepiaLUT16.png", 3);
    ASSERT_EQ(glm::ivec2(grade.width, grade.height), glm::ivec2(256, 16));
    const auto graded = [&](int r, int g, int b) {
        const uint8_t* texel = grade.at(b * 16 + r, 15 - g, 3);
        return glm::ivec3(texel[0], texel[1], texel[2]);
    };
    const glm::ivec3 white = graded(15, 15, 15);
    EXPECT_GT(white.r, 200);
    EXPECT_TRUE(white.r >= white.g && white.g > white.b) << "a sepia white is warm";
    // Green weighs most in the grade, blue least: this fails when an axis is swapped or flipped.
    EXPECT_GT(graded(0, 15, 0).g, graded(15, 0, 0).g);
    EXPECT_GT(graded(15, 0, 0).g, graded(0, 0, 15).g);
}

TEST_F(ContentCheckTest, LevelWallsGridCollidersAndCharactersAgree) {
    for (const char* level : {"Introlevel_Scripted.json", "Deeplevel.json"}) {
        SCOPED_TRACE(level);
        checkLevel(level);
        DestroyAllSceneEntities();
    }
}

TEST_F(ContentCheckTest, ControllersKnowEveryConditionTheGameRaises) {
    std::set<std::string> known;
    for (const fs::path& file : filesIn(kAssets / "JSON", {".animcontroller"})) {
        const AnimatorController* controller =
            assets->findRegistry<AnimatorController>()->get(hashName(file.stem().string()));
        ASSERT_NE(controller, nullptr) << file;
        known.insert(controller->conditionNames.begin(), controller->conditionNames.end());
    }
    // What gameplay raises: the enemy states, and every literal name a script passes to setAnimBool.
    std::set<std::string> raised{"isIdle", "isChase", "isAttack", "isDeath"};
    if (fs::is_directory(kAssets / "Scripts")) {
        const std::regex call(R"re(setAnimBool\s*\([^,]*,\s*"([^"]+)")re");
        for (const fs::path& script : filesIn(kAssets / "Scripts", {".lua"})) {
            std::ifstream in(script);
            const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            for (std::sregex_iterator it(text.begin(), text.end(), call), end; it != end; ++it)
                raised.insert((*it)[1].str());
        }
    }
    for (const std::string& condition : raised)
        EXPECT_TRUE(known.contains(condition)) << "no controller knows the condition " << condition;
}

TEST_F(ContentCheckTest, TheLevelGlowsWithEmbers) {
    ASSERT_TRUE(loadShippedScene("Introlevel_Scripted.json"));
    // Every sconce and every burning crack sends up sparks from the start, and quads never spin.
    size_t embers = 0;
    for (Entity entity : sceneEntities) {
        if (!has<ParticleEmitter>(entity)) continue;
        const ParticleEmitter& emitter = get<ParticleEmitter>(entity);
        EXPECT_EQ(glm::vec2(emitter.rotationScale.low, emitter.rotationScale.high), glm::vec2(0.0f));
        if (!(emitter.flags & ParticleEmitter::kActive)) continue;
        EXPECT_TRUE(emitter.flags & ParticleEmitter::kLooping);
        EXPECT_TRUE(emitter.emissionRate > 0.0f && emitter.lifetime.low > 0.0f);
        ++embers;
    }
    size_t torches = 0, glowingCracks = 0;
    for (Entity light : tagged("Light"))
        ++(has<ParticleEmitter>(light) ? glowingCracks : torches);
    EXPECT_GE(torches, 9u);
    EXPECT_EQ(tagged("Embers").size(), torches) << "one spark emitter per sconce";
    EXPECT_EQ(embers, torches + glowingCracks);
    for (const char* name : {"HammerHitDust", "EnemyDeathPuff"}) {
        const Entity entity = named(name);
        ASSERT_TRUE(entity != MAX_ENTITIES && has<ParticleEmitter>(entity)) << name;
        EXPECT_EQ(get<ParticleEmitter>(entity).flags & ParticleEmitter::kActive, 0u)
            << name << " waits for gameplay";
    }
}

TEST_F(ContentCheckTest, TheCreditsNameEveryLibraryAndFont) {
    ASSERT_TRUE(loadShippedScene("Credits.json"));
    std::string credits;
    for (Entity entity : sceneEntities)
        if (has<Text>(entity)) credits += get<Text>(entity).text;
    for (const char* line : {"OpenAL Soft", "Roboto", "Apache License 2.0", "GLFW", "Lua"})
        EXPECT_NE(credits.find(line), std::string::npos) << line;
}

} // namespace
