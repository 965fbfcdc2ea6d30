#include "ComponentReaderTest.h"

#include "Physics/Circle.h"
#include "Physics/OBB.h"
#include "data/NameHash.h"

#include <sstream>
#include <string>

using namespace Qel;

using GameplayComponentsTest = ComponentReaderTest;

namespace {
/// The kind flags that are set, the mass and the inverse mass, e.g. "dynamic 1 1".
std::string kindOf(const RigidBody2D& body) {
    std::ostringstream text;
    text << (body.isStatic ? "static" : "") << (body.isKinematic ? "kinematic" : "")
         << (body.isDynamic ? "dynamic" : "") << ' ' << body.mass << ' ' << body.invMass;
    return text.str();
}
} // namespace

TEST_F(GameplayComponentsTest, BodyKindAndMassFollowTheKindRules) {
    const std::pair<const char*, const char*> cases[] = {
        {"{}", "static 0 0"},
        {R"({"isStatic": false})", "dynamic 1 1"},
        {R"({"isStatic": false, "isKinematic": true, "mass": 0.0})", "kinematic 0 0"},
        {R"({"isStatic": true, "isDynamic": true, "isKinematic": true, "mass": 4.0})", "static 0 0"},
        {R"({"isStatic": false, "isDynamic": true, "isKinematic": true, "mass": 2.0})", "kinematic 2 0.5"},
        // Masses too small to divide by, or negative, never reach the physics step.
        {R"({"isStatic": false, "mass": 1e-39})", "dynamic 1 1"},
        {R"({"isStatic": false, "isKinematic": true, "mass": -3.0})", "kinematic 0 0"},
    };
    for (const auto& [source, kind] : cases)
        EXPECT_EQ(kindOf(read<RigidBody2D>(source)), kind) << source;

    const char* moving = R"({"isStatic": false, "velocityX": 2.0, "velocityY": -1.0})";
    EXPECT_EQ(read<RigidBody2D>(moving).velocity, glm::vec2(2.0f, -1.0f));
    EXPECT_EQ(read<RigidBody2D>(R"({"velocityX": 2.0})").velocity, glm::vec2(0.0f));
}

TEST_F(GameplayComponentsTest, ColliderShapeComesFromTheTypeAndSizesGoThroughSetScale) {
    const ColliderPtr circle =
        read<ColliderPtr>(R"({"type": "Circle", "colliderSizeX": 3.0, "offsetY": 0.5, "isTrigger": true})");
    ASSERT_EQ(circle.collider->getType(), ColliderType::Circle);
    EXPECT_EQ(static_cast<const Circle&>(*circle.collider).radius, 3.0f);
    EXPECT_EQ(circle.collider->offset, glm::vec2(0.0f, 0.5f));
    EXPECT_TRUE(circle.collider->isTrigger);

    const ColliderPtr box = read<ColliderPtr>(R"({"type": "OBB", "colliderSizeY": 4.0})");
    ASSERT_EQ(box.collider->getType(), ColliderType::OBB);
    EXPECT_EQ(static_cast<const OBB&>(*box.collider).halfExtents, glm::vec2(0.5f, 2.0f));
    EXPECT_EQ(read<ColliderPtr>(R"({"type": "Rect2D"})").collider->getType(), ColliderType::Rect2D);

    // Anything else is an oriented box of its defaults; the type text is kept as written.
    for (const char* object : {R"({"type": "circle"})", R"({"type": 2})"}) {
        const ColliderPtr fallback = read<ColliderPtr>(object);
        ASSERT_EQ(fallback.collider->getType(), ColliderType::OBB) << object;
        EXPECT_EQ(static_cast<const OBB&>(*fallback.collider).halfExtents, glm::vec2(0.5f)) << object;
    }
    EXPECT_EQ(read<ColliderPtr>(R"({"type": "Capsule"})").type, "Capsule");
}

TEST_F(GameplayComponentsTest, ScriptsStoreAtMostSevenKeysAndSayOnceWhenMoreFollow) {
    std::string seven = R"({"scripts": [{"file": "s0"})";
    for (int i = 1; i < 7; ++i)
        seven += R"(, {"file": "s)" + std::to_string(i) + "\"}";
    const GOScripts exact = read<GOScripts>(seven + "]}");
    EXPECT_FALSE(logged.contains("Too many scripts"));
    for (size_t i = 0; i < 7; ++i)
        EXPECT_EQ(exact.scripts[i], hashName("s" + std::to_string(i)));

    const GOScripts crowded = read<GOScripts>(seven + R"(, {"file": "s7"}, {"file": "s8"}]})");
    EXPECT_EQ(crowded.scripts, exact.scripts);
    EXPECT_EQ(logged.count("[CRITICAL] Too many scripts in component!"), 1u);

    // Entries without a readable file take no slot; the first 0 ends the list.
    const GOScripts sparse =
        read<GOScripts>(R"({"scripts": [{"path": "a"}, 3, {"file": 1}, {"file": "player"}],
        "canBuild": true, "allowDisabledTrigger": false, "allowPausedUpdate": true})");
    EXPECT_EQ(sparse.scripts[0], hashName("player"));
    EXPECT_EQ(sparse.scripts[1], 0u);
    EXPECT_EQ(sparse.flags, GOScripts::kCanBuild | GOScripts::kAllowPausedUpdate);

    EXPECT_EQ(read<GOScripts>(R"({"scripts": {"file": "player"}})").scripts[0], 0u);
    EXPECT_TRUE(logged.has(LOG_LOW, "JSON: \"scripts\" is not a valid array"));
}

TEST_F(GameplayComponentsTest, EmitterRangesReadAsTwoEndsOrOneValueAndGapsAreReported) {
    const ParticleEmitter emitter = read<ParticleEmitter>(
        R"({"lifetimeL": 0.5, "lifetimeH": 2.0, "lifetime": 9.0, "speed": 1.5, "sizeL": 0.25, "size": 0.75,
            "rotationL": 0.0, "rotationH": 360.0, "colorRL": 0.2, "colorRH": 0.4, "colorA": 1.0,
            "sizeScaleL": 1.0, "sizeScaleH": 0.0, "colorScaleA": 0.5})");
    const auto ends = [](const ParticleEmitter::Range& range) { return glm::vec2(range.low, range.high); };
    EXPECT_EQ(ends(emitter.lifetime), glm::vec2(0.5f, 2.0f));
    EXPECT_EQ(ends(emitter.speed), glm::vec2(1.5f));
    // One end alone does not make a range: the single value is used.
    EXPECT_EQ(ends(emitter.size), glm::vec2(0.75f));
    EXPECT_EQ(ends(emitter.color[0]), glm::vec2(0.2f, 0.4f));
    EXPECT_EQ(ends(emitter.sizeScale), glm::vec2(1.0f, 0.0f));
    EXPECT_EQ(ends(emitter.colorScale[3]), glm::vec2(0.5f));
    EXPECT_EQ(logged.take().find("unable to read init"), std::string::npos);

    const ParticleEmitter empty = read<ParticleEmitter>("{}");
    EXPECT_EQ(glm::vec2(empty.duration, empty.emissionRate), glm::vec2(1.0f, 0.0f));
    EXPECT_TRUE(logged.has(LOG_HIGH, "emitter has no valid texture!"));
    for (const char* range : {"lifetime", "speed", "size", "rotation"})
        EXPECT_TRUE(logged.has(LOG_HIGH, std::string("ParticleEmitter unable to read init ") + range))
            << range;
    logged.take();
    const ParticleEmitter flagged = read<ParticleEmitter>(R"({"looping": true, "activeOnStart": true,
        "colorScaleByMultiplication": true, "duration": 3.0, "emissionRate": 10.0, "texture": "Art/Spark"})");
    EXPECT_EQ(flagged.flags, ParticleEmitter::kLooping | ParticleEmitter::kColorScaleMultiplies |
                                 ParticleEmitter::kActiveOnStart | ParticleEmitter::kActive);
    EXPECT_EQ(flagged.texture, nullptr);
    EXPECT_TRUE(logged.has(LOG_HIGH, "emitter has no valid texture!"));
}

TEST(ParticleEmitterDeathTest, ReadingWithoutAnAssetManagerStopsTheProgram) {
    JSON document = test::parseJson(R"({"types": [{"duration": 1.0}]})");
    const JSONArr::iter object = *document.getArray("types").begin();
    EXPECT_EXIT(ParticleEmitter{object}, testing::ExitedWithCode(187), "AssetManager not initialized");
}
