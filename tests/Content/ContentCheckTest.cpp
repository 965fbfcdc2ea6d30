// Checks the shipped content (Assets/) against what the engine's readers accept: every file
// parses, every component is one the catalogue knows, every key is written with the type its
// reader asks for (a float key as a real), every named asset exists, and the scenes build into a
// world with the pieces the game needs.
#include "../ECS/Prefab/SceneTestWorld.h"
#include "ContentFiles.h"

#include "ECS/Component/ComponentCatalogue.h"
#include "QelRenderer/AnimationClip.h"
#include "QelRenderer/AnimationController.h"
#include "QelRenderer/AnimationLoading.h"
#include "QelRenderer/TextureMetadata.h"

#include <gmock/gmock.h>
#include <stb_image.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <memory>
#include <regex>
#include <set>
#include <vector>

using namespace Qel;
namespace fs = std::filesystem;

namespace {

using test::filesIn;
using test::kAssets;
const char* const kScenes[] = {"MainMenu.json", "Introlevel_Scripted.json", "Credits.json", "ScriptDemo.json"};

/// An asset kind: where its files live and which extensions name one.
struct AssetKind {
    std::vector<const char*> folders;
    std::vector<const char*> extensions;
};
const AssetKind kTextures{{"Art", "Splash"}, {".png", ".jpg", ".PNG"}};
const AssetKind kFonts{{"Fonts"}, {".ttf"}};
const AssetKind kControllers{{"JSON"}, {".animcontroller"}};
const AssetKind kCursors{{"Cursors"}, {".png", ".jpg", ".PNG", ".JPG"}};
const AssetKind kMusic{{"Audio"}, {".ogg"}};

/// Component keys that name an asset. The shader and mesh names are the renderer's built-ins, not files.
const std::pair<const char*, const AssetKind*> kComponentReferences[] = {
    {"texture", &kTextures},
    {"emission", &kTextures},
    {"lightMask", &kTextures},
    {"font", &kFonts},
    {"animatorController", &kControllers},
};

bool assetExists(const AssetKind& kind, const std::string& name) {
    for (const char* folder : kind.folders)
        for (const char* extension : kind.extensions)
            if (fs::is_regular_file(kAssets / folder / (name + extension))) return true;
    return false;
}

class ContentCheckTest : public SceneWorldTest {
protected:
    void SetUp() override {
        SceneWorldTest::SetUp();
        // Only what matters is kept: the LOW "not found" lines of keys left at their defaults
        // would fill the log's buffer.
        log->setAddPriority(LOG_MED);
        log->setEchoPriority(LOG_MED);
        // Animators find their controllers by name, as in the game.
        animations = loadAnimationFolder(kAssets / "JSON");
        collect("loading animations");
    }

    JSON parseFile(const fs::path& file) {
        std::ifstream in(file);
        JSON doc;
        doc.parse(in);
        if (!doc.isParsed()) problems.push_back(file.filename().string() + ": does not parse");
        return doc;
    }

    void requireAsset(const AssetKind& kind, const std::string& name, const std::string& where) {
        if (!assetExists(kind, name))
            problems.push_back(where + ": names the missing asset \"" + name + "\"");
    }

    /// Reads the component with its catalogue reader (the reader logs every mistyped key) and
    /// checks the assets it names.
    void checkComponent(const JSONArr::iter& object, const std::string& where) {
        std::string name;
        object.get("name", name);
        if (!readComponentByName(hashName(name), object, [](auto) {}))
            problems.push_back(where + ": unknown component \"" + name + "\"");
        for (const auto& [key, kind] : kComponentReferences) {
            std::string asset;
            if (object.get(key, asset)) requireAsset(*kind, asset, where + " " + name + "." + key);
        }
    }

    /// Problems of one file, plus every line its readers logged at MED or above: type mismatches,
    /// unknown components and prefabs, bad grids and layers ("not found" lines are LOW: an absent
    /// key simply keeps its default). Textures are not decoded here (the "texture" keys are checked
    /// against the image files instead), so an emitter's complaint about its texture is not one.
    void collect(const std::string& where) {
        for (const auto& [level, text] : logged.lines())
            if (level != test::LogSink::kUntagged && level <= LOG_MED &&
                text != "emitter has no valid texture!")
                problems.push_back(where + ": " + logTag(static_cast<uint8_t>(level)) + " " + text);
        logged.take();
    }

    std::set<std::string> prefabNames() {
        std::set<std::string> names;
        for (const fs::path& file : filesIn(kAssets / "Prefabs", {".json"})) {
            JSON doc = parseFile(file);
            std::string name;
            if (doc.get("name", name)) names.insert(name);
        }
        return names;
    }

    /// Loads every prefab and builds the scene through the SceneManager, as the scene state does.
    bool loadShippedScene(const std::string& file) {
        if (prefabs->PrefabCount() == 0) prefabs->LoadAllPrefabs(kAssets / "Prefabs");
        JSON doc;
        return scenes->setNextScene(kAssets / "Scenes" / file) && scenes->getScene(doc) &&
               scenes->loadScene(doc);
    }

    std::vector<Entity> tagged(const std::string& tag) {
        std::vector<Entity> found;
        for (Entity entity : sceneEntities)
            if (entities->GetInfo(entity)->tag == tag) found.push_back(entity);
        return found;
    }

    std::vector<std::string> problems;
    AnimationLoadCounts animations;
};

TEST_F(ContentCheckTest, PrefabsUseKnownComponentsTypedKeysAndExistingAssets) {
    const std::vector<fs::path> files = filesIn(kAssets / "Prefabs", {".json"});
    ASSERT_FALSE(files.empty());
    EXPECT_LE(files.size(), MAX_PREFABS);
    std::set<std::string> names;
    for (const fs::path& file : files) {
        const std::string where = "Prefabs/" + file.filename().string();
        JSON doc = parseFile(file);
        std::string name;
        if (!doc.get("name", name) || !names.insert(name).second)
            problems.push_back(where + ": missing or repeated prefab name");
        if (!doc.cd("component")) problems.push_back(where + ": no \"component\" object");
        for (const JSONArr::iter& object : doc.getArray("types"))
            checkComponent(object, where);
        collect(where);
    }
    EXPECT_THAT(problems, testing::IsEmpty());
}

TEST_F(ContentCheckTest, ScenesUseKnownComponentsTypedKeysAndExistingAssets) {
    const std::set<std::string> prefabs = prefabNames();
    logged.take();
    for (const char* file : kScenes) {
        const std::string where = std::string("Scenes/") + file;
        JSON doc = parseFile(kAssets / "Scenes" / file);
        ASSERT_TRUE(doc.cd("Scene")) << where;
        std::string asset;
        if (doc.get("cursor", asset)) requireAsset(kCursors, asset, where + " cursor");
        if (doc.get("BGM", asset)) requireAsset(kMusic, asset, where + " BGM");
        const JSONArr objects = doc.getArray("gameObjects");
        EXPECT_GT(objects.size(), 0u) << where;
        for (const JSONArr::iter& object : objects) {
            std::string name;
            object.get("name", name);
            std::string prefab;
            if (object.get("prefab", prefab) && !prefabs.contains(prefab))
                problems.push_back(where + " " + name + ": unknown prefab \"" + prefab + "\"");
            const JSONArr components = object.getArray("components");
            if (!components.isValid()) problems.push_back(where + " " + name + ": no components array");
            for (const JSONArr::iter& component : components)
                checkComponent(component, where + " " + name);
        }
        if (doc.cd("lighting") && doc.get("lutName", asset))
            requireAsset(kTextures, asset, where + " lutName");
        logged.take();
    }
    EXPECT_THAT(problems, testing::IsEmpty());
}

TEST_F(ContentCheckTest, ImagesHaveSidecarsAndCursorsHaveHotSpots) {
    for (const char* folder : {"Art", "Splash"}) {
        for (const fs::path& image : filesIn(kAssets / folder, {".png", ".jpg", ".PNG"})) {
            const std::string sidecar = textureMetadataPath(image.string());
            // Checked first: reading a missing sidecar would write one into the source tree.
            if (!fs::is_regular_file(sidecar)) {
                problems.push_back(image.filename().string() + ": no sidecar");
                continue;
            }
            readTextureMetadata(image.string());
            collect(image.filename().string());
        }
    }
    const TextureMetadata lut = readTextureMetadata((kAssets / "Art/SepiaLUT16.png").string());
    EXPECT_FALSE(lut.sRGB);
    EXPECT_EQ(lut.wrapMode, kTextureWrapClampToEdge);
    EXPECT_EQ(lut.filterMode, kTextureFilterLinear);
    EXPECT_EQ(readTextureMetadata((kAssets / "Art/PlayerSheet.png").string()).subTextures.size(), 8u);

    const std::vector<fs::path> cursors = filesIn(kAssets / "Cursors", {".png"});
    EXPECT_GE(cursors.size(), 2u);
    for (const fs::path& cursor : cursors) {
        fs::path hotSpot = cursor;
        JSON doc = parseFile(hotSpot.replace_extension(".json"));
        int x = -1, y = -1;
        if (!doc.get("offsetX", x) || !doc.get("offsetY", y) || x < 0 || y < 0 || x > 32 || y > 32)
            problems.push_back(cursor.filename().string() +
                               ": hot spot missing or outside the 32 x 32 image");
    }
    EXPECT_THAT(problems, testing::IsEmpty());
}

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

    // The grade is read at x = blue * 16 + red and, green growing upward, at row 15 - green.
    int width = 0, height = 0, channels = 0;
    const std::unique_ptr<stbi_uc, decltype(&stbi_image_free)> lut(
        stbi_load((kAssets / "Art/SepiaLUT16.png").string().c_str(), &width, &height, &channels, 3),
        &stbi_image_free);
    ASSERT_TRUE(lut);
    ASSERT_EQ(width, 256);
    ASSERT_EQ(height, 16);
    const auto graded = [&](int r, int g, int b) {
        const stbi_uc* texel = lut.get() + ((15 - g) * width + b * 16 + r) * 3;
        return glm::ivec3(texel[0], texel[1], texel[2]);
    };
    EXPECT_LT(graded(0, 0, 0).r, 16);
    const glm::ivec3 white = graded(15, 15, 15);
    EXPECT_GT(white.r, 200);
    EXPECT_TRUE(white.r >= white.g && white.g > white.b) << "a sepia white is warm";
    // Green weighs most in the grade, blue least: this fails when an axis is swapped or flipped.
    EXPECT_GT(graded(0, 15, 0).g, graded(15, 0, 0).g);
    EXPECT_GT(graded(15, 0, 0).g, graded(0, 0, 15).g);
    for (int r = 1; r < 16; ++r)
        EXPECT_GE(graded(r, 0, 0).r, graded(r - 1, 0, 0).r);
}

TEST_F(ContentCheckTest, EveryPrefabAndSceneLoadsWithoutComplaint) {
    prefabs->LoadAllPrefabs(kAssets / "Prefabs");
    EXPECT_EQ(prefabs->PrefabCount(), filesIn(kAssets / "Prefabs", {".json"}).size());
    collect("prefab loading");
    for (const char* file : kScenes) {
        EXPECT_TRUE(loadShippedScene(file)) << file;
        EXPECT_FALSE(sceneEntities.empty()) << file;
        collect(file);
        DestroyAllSceneEntities();
    }
    EXPECT_THAT(problems, testing::IsEmpty());
}

TEST_F(ContentCheckTest, LevelWallsGridCollidersAndCharactersAgree) {
    ASSERT_TRUE(loadShippedScene("Introlevel_Scripted.json"));
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
    size_t enemies = 0;
    for (Entity entity : sceneEntities) {
        if (!has<Enemy>(entity)) continue;
        ++enemies;
        EXPECT_FALSE(grid.at(cellAt(glm::vec2(get<Transform>(entity).position))).blocked);
        EXPECT_GT(get<Enemy>(entity).health, 0);
    }
    EXPECT_GE(enemies, 3u);
    EXPECT_FALSE(tagged("Light").empty());
    EXPECT_EQ(scenes->lighting.lutName, "SepiaLUT16");
}

TEST_F(ContentCheckTest, AnimationsLoadTheirClipsAndKnowEveryConditionTheContentRaises) {
    EXPECT_EQ(animations.clips, filesIn(kAssets / "JSON", {".anim"}).size());
    EXPECT_EQ(animations.controllers, filesIn(kAssets / "JSON", {".animcontroller"}).size());
    std::set<std::string> known;
    for (const fs::path& file : filesIn(kAssets / "JSON", {".animcontroller"})) {
        const std::string name = file.stem().string();
        const AnimatorController* controller =
            assets->findRegistry<AnimatorController>()->get(hashName(name));
        ASSERT_NE(controller, nullptr) << name;
        known.insert(controller->conditionNames.begin(), controller->conditionNames.end());
        if (!controller->findDefaultState()) problems.push_back(name + ": no default state");
        JSON doc = parseFile(file);
        doc.cd("animationStates");
        for (const JSONArr::iter& state : doc.getArray("state")) {
            std::string stateName, clip, target;
            state.get("name", stateName);
            state.get("clip", clip);
            if (!assets->findRegistry<Graphics::Clip>()->get(hashName(clip)))
                problems.push_back(name + " " + stateName + ": no clip \"" + clip + "\"");
            for (const JSONArr::iter& transition : state.getArray("transition"))
                if (transition.get("targetState", target) && target == stateName)
                    problems.push_back(name + " " + stateName + ": moves to itself");
        }
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
        if (!known.contains(condition)) problems.push_back("no controller knows the condition " + condition);
    collect("animation checks");
    EXPECT_THAT(problems, testing::IsEmpty());
}

TEST_F(ContentCheckTest, TheLevelGlowsWithEmbersAndItsCinderlingsAnimate) {
    ASSERT_TRUE(loadShippedScene("Introlevel_Scripted.json"));
    // Every sconce and every burning crack sends up sparks from the start, and quads never spin.
    size_t embers = 0;
    for (Entity entity : sceneEntities) {
        if (!has<ParticleEmitter>(entity)) continue;
        const ParticleEmitter& emitter = get<ParticleEmitter>(entity);
        EXPECT_EQ(emitter.rotationScale.low, 0.0f);
        EXPECT_EQ(emitter.rotationScale.high, 0.0f);
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
    size_t animated = 0;
    for (Entity entity : sceneEntities) {
        if (!has<Enemy>(entity)) continue;
        ASSERT_TRUE(has<Animator>(entity));
        EXPECT_NE(get<Animator>(entity).currentState, nullptr);
        ++animated;
    }
    EXPECT_GE(animated, 3u);
}

TEST_F(ContentCheckTest, TitleAndCreditsOfferTheirButtonsAndCredits) {
    ASSERT_TRUE(loadShippedScene("MainMenu.json"));
    const std::pair<const char*, const char*> buttons[] = {{"PlayButton", "Play"},
                                                           {"mHowToPlayButton", "OpenControls"},
                                                           {"mSettingsButton", "mOpenSettings"},
                                                           {"CreditsButton", "openCredits"},
                                                           {"QuitButton", "Quit"}};
    for (const auto& [name, message] : buttons) {
        const Entity button = named(name);
        ASSERT_NE(button, MAX_ENTITIES) << name;
        ASSERT_TRUE(has<Button>(button) && has<Text>(button) && has<UITransform>(button)) << name;
        EXPECT_EQ(get<Button>(button).OnClick, message);
        EXPECT_FALSE(get<Text>(button).text.empty());
        EXPECT_EQ(entities->GetInfo(button)->flags & EntityInfo::kDisabled, 0) << name;
    }
    // The panels the menu opens later start hidden.
    for (const char* hidden : {"mHowToPlayPage", "Overlay", "QuitPage", "QuitConfirmButton"})
        EXPECT_NE(entities->GetInfo(named(hidden))->flags & EntityInfo::kDisabled, 0) << hidden;
    DestroyAllSceneEntities();

    ASSERT_TRUE(loadShippedScene("Credits.json"));
    std::string credits;
    for (Entity entity : sceneEntities)
        if (has<Text>(entity)) credits += get<Text>(entity).text;
    for (const char* line : {"OpenAL Soft", "Roboto", "Apache License 2.0", "GLFW", "Lua"})
        EXPECT_NE(credits.find(line), std::string::npos) << line;
}

} // namespace
