// Prefab files: the templates scenes instantiate. Scene objects override whole components, so a
// prefab holds what every instance shares (texture, physics, behaviour values).
#include "Prefabs.h"

#include "CharacterArt.h"
#include "ComponentJson.h"
#include "Content.h"
#include "TileSet.h"

namespace ContentGen {

namespace {

void tilePrefabs(Content& content) {
    for (int index = 0; index < kTileCount; ++index) {
        const Tile tile = static_cast<Tile>(index);
        const bool wall = tile == Tile::WallTop || tile == Tile::WallFace || tile == Tile::WallSconce;
        JsonValue spriteRenderer = sprite("DungeonTiles", wall ? kWallLayer : kFloorLayer, index, kTileCount);
        spriteRenderer.set("isRecieveShadow", true);
        if (tile == Tile::FloorEmber || tile == Tile::WallSconce)
            spriteRenderer.set("emission", "DungeonTilesGlow").set("emissionAmount", 2.0);
        content.savePrefab(kTileNames[index], wall ? kWallTileTag : kFloorTag,
                           JsonValue::array().push(transformAt(0.5, 0.5)).push(std::move(spriteRenderer)));
    }
}

void wallCollider(Content& content) {
    content.savePrefab(kWallColliderPrefab, kWallTag,
                       JsonValue::array()
                           .push(transformAt(0.5, 0.5))
                           .push(JsonValue::component("RigidBody2D").set("isStatic", true))
                           .push(JsonValue::component("ColliderPtr").set("type", "OBB"))
                           .push(JsonValue::component("Layer").set("layerName", "Wall")));
}

void player(Content& content) {
    JsonValue spriteRenderer = sprite("PlayerSheet", kPlayerLayer, 0, static_cast<int>(kPlayerFrames.size()));
    spriteRenderer.set("isCastShadow", true);
    content.savePrefab(
        kPlayerPrefab, "playerTag",
        JsonValue::array()
            .push(transformAt(0.0, 0.0, kCharacterWorldSize, kCharacterWorldSize))
            .push(std::move(spriteRenderer))
            .push(JsonValue::component("Camera")
                      .set("clearColorR", 0.05)
                      .set("clearColorG", 0.04)
                      .set("clearColorB", 0.05)
                      .set("cameraZoom", kCameraZoom)
                      .set("followSpeed", 4.0))
            .push(JsonValue::component("RigidBody2D")
                      .set("isStatic", false)
                      .set("mass", 1.0)
                      .set("restitution", 0.0)
                      .set("drag", 8.0))
            // The body's footprint: the lower half of the two-unit sprite.
            .push(JsonValue::component("ColliderPtr")
                      .set("type", "OBB")
                      .set("offsetY", -0.5)
                      .set("colliderSizeX", 0.8)
                      .set("colliderSizeY", 0.8))
            .push(JsonValue::component("Layer").set("layerName", "Player"))
            .push(JsonValue::component("Animator").set("animatorController", "playerAnimController"))
            // Walking, health and the fall: the player's script.
            .push(goScripts({"audioFunctions", "movementInput", "playerScript"})));
}

void enemy(Content& content) {
    JsonValue spriteRenderer =
        sprite("CinderlingSheet", kEnemyLayer, 0, static_cast<int>(kEnemyFrames.size()));
    spriteRenderer.set("isCastShadow", true);
    content.savePrefab(
        kEnemyPrefab, "Enemy",
        JsonValue::array()
            .push(transformAt(0.5, 0.5, 1.5, 1.5))
            .push(std::move(spriteRenderer))
            // Moves 2.5 cells a second, notices the player 8 units away, winds up
            // its bite for 0.6 seconds.
            .push(JsonValue::component("Enemy")
                      .set("health", 3)
                      .set("mspeed", 2.5)
                      .set("dRange", 8.0)
                      .set("aspeed", 0.6))
            .push(JsonValue::component("RigidBody2D").set("isStatic", false).set("isKinematic", true))
            .push(JsonValue::component("ColliderPtr").set("type", "Circle").set("colliderSizeX", 0.5))
            .push(JsonValue::component("Layer").set("layerName", "Enemy"))
            .push(JsonValue::component("Animator").set("animatorController", "cinderlingAnimController")));
}

void lights(Content& content) {
    const auto light = [](double r, double g, double b, double range, double intensity, double height) {
        return JsonValue::component("Light")
            .set("colorR", r)
            .set("colorG", g)
            .set("colorB", b)
            .set("range", range)
            .set("intensity", intensity)
            .set("attenuation", -0.05)
            .set("height", height);
    };
    // Sparks rise from the flame (directions around straight up), slow down and shrink as they fade.
    const auto embers = [](double rate, double reach) {
        return particleEmitter({kEmberTexture,
                                true,
                                true,
                                1.0,
                                rate,
                                {0.8, 1.6},
                                {0.5 * reach, reach},
                                {0.1, 0.2},
                                {75.0, 105.0},
                                {1.0, 1.0},
                                {0.45, 0.8},
                                {0.1, 0.25},
                                1.0,
                                {1.0, 0.3},
                                {1.0, 0.4},
                                {1.0, 0.0}});
    };
    content.savePrefab(
        kTorchPrefab, "Light",
        JsonValue::array().push(transformAt(0.5, 0.5)).push(light(1.0, 0.62, 0.3, 7.0, 1.6, 1.5)));
    content.savePrefab(kTorchEmbersPrefab, "Embers",
                       JsonValue::array().push(transformAt(0.5, 0.5)).push(embers(9.0, 1.4)));
    // A burning crack sends up fewer, shorter-lived sparks from where it glows.
    content.savePrefab(kEmberGlowPrefab, "Light",
                       JsonValue::array()
                           .push(transformAt(0.5, 0.5))
                           .push(light(1.0, 0.36, 0.12, 3.5, 0.9, 0.6))
                           .push(embers(3.0, 0.7)));
    // Fire seen down an open exit: hidden until the exit opens, then its script shows it (it
    // answers triggers while hidden).
    JsonValue scripts = goScripts({"Levels/exitGlow"});
    scripts.set("allowDisabledTrigger", true);
    content.savePrefab(kExitGlowPrefab, "Light",
                       JsonValue::array()
                           .push(transformAt(0.5, 0.5))
                           .push(light(1.0, 0.5, 0.18, 6.0, 2.0, 0.4))
                           .push(embers(14.0, 1.8))
                           .push(std::move(scripts)));
}

/// The exit lies on the floor: a trigger the player walks onto, never a wall in anyone's way. Each
/// level gives it its scripts (which scene comes next).
void exitPrefabs(Content& content) {
    JsonValue spriteRenderer = sprite("LevelExit", kExitLayer, 0, 2);
    spriteRenderer.set("isRecieveShadow", true).set("emission", "LevelExitGlow").set("emissionAmount", 2.5);
    content.savePrefab(kLevelExitPrefab, "Exit",
                       JsonValue::array()
                           .push(transformAt(0.5, 0.5))
                           .push(std::move(spriteRenderer))
                           .push(JsonValue::component("RigidBody2D").set("isStatic", true))
                           .push(JsonValue::component("ColliderPtr")
                                     .set("type", "OBB")
                                     .set("colliderSizeX", 0.8)
                                     .set("colliderSizeY", 0.8)
                                     .set("isTrigger", true))
                           .push(JsonValue::component("Layer").set("layerName", "Default")));
}

void uiPrefabs(Content& content) {
    content.savePrefab(kButtonPrefab, "UI",
                       JsonValue::array()
                           .push(uiTransform({0.0, 0.0, 640.0, 128.0, 2}))
                           .push(uiImage("ButtonFrame"))
                           .push(button(""))
                           .push(text("", 40, palFloat(Pal::Bone), 4)));
    content.savePrefab(
        kPanelPrefab, "UI",
        JsonValue::array().push(uiTransform({0.0, 0.0, 1152.0, 768.0, 1})).push(uiImage("PanelFrame")));
}

} // namespace

void makePrefabs(Content& content) {
    tilePrefabs(content);
    wallCollider(content);
    player(content);
    enemy(content);
    lights(content);
    exitPrefabs(content);
    uiPrefabs(content);
}

} // namespace ContentGen
