#include "Files.h"
#include "LogSink.h"
#include "World.h"

#include "ECS/Component/ComponentCatalogue.h"
#include "ECS/System/Systems/AnimationSystem.h"
#include "Physics/Circle.h"
#include "QelCore/GameStateManager.h"
#include "QelCore/Input.h"
#include "QelRenderer/GraphicsEngine.h"
#include "QelRenderer/Texture.h"
#include "QelScripting/ScriptBindings.h"

#include <GLFW/glfw3.h>
#include <gtest/gtest.h>
#include <lua.hpp>

using namespace Qel;

namespace {

// A Lua state with the bindings over a world holding E (every component the bindings touch),
// B (a Transform only), C (a body whose collider is not set), N (no components) and D (no entity).
class ScriptBindingsTest : public testing::Test {
protected:
    void SetUp() override {
        world.catalogue();
        world.add<AnimationSystem>("AnimationSystem")->Load();
        Enemy enemy;
        enemy.health = 5;
        e = world.spawn(Transform{}, RigidBody2D{}, ColliderPtr(std::make_unique<Circle>(), "Circle"),
                        SpriteRenderer{}, UITransform{}, Text{}, enemy, Animator{});
        world.get<Animator>(e).conditions = {{hashName("run"), false}};
        global("E", e);
        global("B", world.spawn(Transform{}));
        global("C", world.spawn(Transform{}, RigidBody2D{}, ColliderPtr{}));
        global("N", world.spawn());
        global("D", 2999);
        registerScriptBindings(L);
        sink.take();
    }
    void TearDown() override { lua_close(L); }

    void global(const char* name, Entity entity) {
        lua_pushinteger(L, static_cast<lua_Integer>(entity));
        lua_setglobal(L, name);
    }

    /// The chunk's results in Lua's text form, joined by commas.
    std::string run(const std::string& chunk) {
        lua_settop(L, 0);
        if (luaL_loadstring(L, chunk.c_str()) || lua_pcall(L, 0, LUA_MULTRET, 0))
            return std::string("error: ") + lua_tostring(L, -1);
        std::string results;
        for (int i = 1, top = lua_gettop(L); i <= top; ++i)
            results += (i > 1 ? "," : "") + std::string(luaL_tolstring(L, i, nullptr));
        return results;
    }

    test::World world;
    test::LogSink sink;
    lua_State* L = luaL_newstate();
    Entity e = MAX_ENTITIES;
};

TEST_F(ScriptBindingsTest, MisuseLogsOneLineReturnsNeutralValuesAndChangesNothing) {
    const struct {
        const char* call;
        const char* results;
        const char* line;
    } rows[] = {
        {"keyPressed('a')", "false", "GOScript_keyTemplate INVALID KEY ARGUMENT"},
        {"keyTriggered(1e20)", "false", "GOScript_keyTemplate INVALID KEY ARGUMENT"},
        {"enableEntity()", "", "GOScript_enableEntity expects 1 arguments, got 0"},
        {"disableEntity(D)", "", "GOScript_disableEntity could not get target entity ID"},
        {"changeScene(5)", "false", "GOScript_changeScene only takes in a string"},
        {"changeScene('../Assets/Scenes/Minimal.json\\0x')", "false", "changeScene scene path holds"},
        {"setMass(E, 1e-45)", "", "GOScript_setMass invalid argument types, expects (entityID, mass)"},
        {"setMass(E, 0/0)", "", "GOScript_setMass invalid argument types"},
        {"addForce(E, 'x', 1)", "", "GOScript_addForce invalid argument types"},
        {"addForceTowards(E, 1, 1, 0)", "", "GOScript_addForceTowards invalid argument types"},
        {"getPosition(E, 1)", "", "GOScript_getPosition expects 1 arguments, got 2"},
        {"getPosition(N)", "", "GOScript_getPosition target does not have the requested component"},
        {"getVelocity(-1)", "0.0,0.0", "GOScript_getVelocity could not get target entity ID"},
        {"setVelocity(E, 1e39, 0)", "", "GOScript_setVelocity invalid argument types"},
        {"updatePhysicsBody(C)", "", "GOScript_updatePhysicsBody target does not have the requested"},
        {"setAnimBool(E, 5, true)", "", "GOScript_setAnimBool invalid argument types"},
        {"editSpriteRenderer(E)", "", "GOScript_SpriteRenderer expects at least 2 argument"},
        {"editSpriteRenderer(2.5, 'getColor')", "", "[LUA] | could not get target entity ID"},
        {"editSpriteRenderer(E, 'fly')", "", "GOScript_SpriteRenderer unknown action"},
        {"editSpriteRenderer(E, 'setTexture', 'nope')", "", "SpriteRenderer texture \"nope\" unavailable"},
        {"editSpriteRenderer(E, 'setUVSize', 0/0, 1)", "", "SpriteRenderer setUVSize invalid arguments"},
        {"editUITransform(N, 'getPosition')", "", "[LUA] | target does not have the requested component"},
        {"editUITransform(E, 'setPosition', 1, 2)", "", "GOScript_UITransform setPosition invalid arguments"},
        {"editText(E, 'setAlignment', 'Middle')", "", "GOScript_Text unknown alignment"},
        {"editText(E, 'setSize', 1e20)", "", "GOScript_Text setSize invalid arguments"},
        {"editEnemy(E, 'damage', -1)", "", "GOScript_Enemy damage invalid arguments"},
        {"countEnemies()", "", "GOScript_countEnemies no enemy system is loaded"},
        {"editRigidBody(E, 'setMass', -2)", "", "GOScript_RigidBody setMass invalid arguments"},
        {"editGraphics('blur')", "", "GOScript_Graphics unknown action"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.call);
        EXPECT_EQ(run(std::string("return ") + row.call), row.results);
        EXPECT_EQ(sink.lines().size(), 1u);
        EXPECT_TRUE(sink.has(LOG_CRITICAL, "[LUA] | "));
        EXPECT_TRUE(sink.has(LOG_CRITICAL, row.line)) << sink.take();
        sink.take();
    }
    const RigidBody2D& body = world.get<RigidBody2D>(e);
    EXPECT_EQ(body.mass, 1.0f);
    EXPECT_EQ(body.invMass, 1.0f);
    EXPECT_EQ(body.force, glm::vec2(0.0f));
    EXPECT_EQ(body.velocity, glm::vec2(0.0f));
    EXPECT_EQ(world.get<SpriteRenderer>(e).uvSize, glm::vec2(1.0f));
    EXPECT_EQ(world.get<UITransform>(e).position, glm::vec3(0.0f));
    EXPECT_EQ(world.get<Text>(e).size, 24);
    EXPECT_EQ(world.get<Enemy>(e).health, 5);
    EXPECT_FALSE(world.entities->IsDisabled(e));
}

TEST_F(ScriptBindingsTest, EachUseReachesItsComponentAndReadsBack) {
    GameStateManager states;
    GraphicsEngine graphics;
    test::Sandbox sandbox("bindings");
    test::writeSolidPng(sandbox / "lut.png", 4, {255, 0, 0, 255});
    world.assets->load<Texture>("lut", (sandbox / "lut.png").c_str(), hashName("lut"));
    resetInputStates();
    handleInputEvent(GLFW_KEY_A, GLFW_PRESS);
    ageInputStates();
    run("function trip(edit, field, ...) edit(E, 'set' .. field, ...) return edit(E, 'get' .. field) end\n"
        "function body(action) return editRigidBody(E, action) end");
    sink.take();

    const struct {
        const char* chunk;
        const char* results;
    } rows[] = {
        {"return keyPressed(65), keyTriggered('65'), keyReleased(), keyTriggered()", "true,true,false,true"},
        {"setPosition(E, 1, 2) return getPosition('' .. E)", "1.0,2.0"},
        {"setVelocity(E, 3, 4) return getVelocity(E)", "3.0,4.0"},
        {"setVelocityTowards(E, 1, 2, 0) return getVelocity(E)", "0.0,0.0"},
        {"setVelocityTowards(E, 4, 6, 10) return getVelocity(E)", "6.0,8.0"},
        {"setMass(E, 4) return editRigidBody(E, 'getMass')", "4.0"},
        {"addForce(E, 1, 1) addForceTowards(E, 1, 0, 2) return editRigidBody(E, 'getMass')", "4.0"},
        {"editRigidBody(E, 'addImpulse', 4, 8) return editRigidBody(E, 'getVelocity')", "7.0,10.0"},
        {"return trip(editRigidBody, 'Velocity', 1, 2)", "1.0,2.0"},
        {"return trip(editRigidBody, 'Drag', 2)", "2.0"},
        {"body('setStatic') return body('isStatic'), body('getMass')", "true,0.0"},
        {"body('setKinematic') return body('isKinematic'), body('isStatic')", "true,false"},
        {"body('setDynamic') return body('isDynamic'), body('getMass')", "true,1.0"},
        {"return trip(editSpriteRenderer, 'UVSize', 0.5, 0.25)", "0.5,0.25"},
        {"return trip(editSpriteRenderer, 'Color', 0.5, 0.25, 0)", "0.5,0.25,0.0,1.0"},
        {"editSpriteRenderer(E, 'setTexture', 'lut') return editGraphics('setLUT', 'lut'), "
         "editGraphics('setLUT', 'nope')",
         "true,false"},
        {"return trip(editUITransform, 'Position', 1, 2, 3)", "1.0,2.0,3.0"},
        {"return trip(editUITransform, 'Scale', 2, 3)", "2.0,3.0,1.0"},
        {"return trip(editUITransform, 'Size', 20, 10)", "20.0,10.0"},
        {"return trip(editText, 'Size', 32)", "32"},
        {"editText(E, 'setText', 'hi\\0there') editText(E, 'setAlignment', 'BottomLeft') "
         "editText(E, 'flipAlignment') editText(E, 'setAlignment', 9) editGraphics('useLUT', 1)",
         ""},
        {"editEnemy(E, 'stun', 2) editEnemy(E, 'damage', 3) return editEnemy(E, 'getHealth')", "2"},
        {"editEnemy(E, 'damage', 2147483647) return editEnemy(E, 'getHealth')", "0"},
        {"setAnimBool(E, 'run', 1) updatePhysicsBody(E) disableEntity(E) restartScene() "
         "return changeScene('../Assets/Scenes/Minimal.json')",
         "true"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.chunk);
        EXPECT_EQ(run(row.chunk), row.results);
        EXPECT_EQ(sink.take(), "");
    }
    const RigidBody2D& body = world.get<RigidBody2D>(e);
    // 4 kg, then (1, 1) plus 2 towards (1, 0) from the position (1, 2).
    EXPECT_EQ(body.force, glm::vec2(1.0f, -1.0f));
    EXPECT_EQ(body.position, glm::vec2(1.0f, 2.0f));
    EXPECT_EQ(world.get<ColliderPtr>(e).collider->position, glm::vec2(1.0f, 2.0f));
    EXPECT_EQ(world.get<SpriteRenderer>(e).texture,
              world.assets->findRegistry<Texture>()->get(hashName("lut")));
    EXPECT_EQ(world.get<Text>(e).text, std::string("hi\0there", 8));
    EXPECT_EQ(world.get<Text>(e).alignment, Text::TopRight);
    EXPECT_EQ(world.get<Enemy>(e).state, EnemyState::Stunned);
    EXPECT_EQ(world.get<Enemy>(e).stunDuration, 2.0f);
    EXPECT_TRUE(world.get<Animator>(e).conditions[0].raised);
    EXPECT_TRUE(world.entities->IsDisabled(e));
    EXPECT_TRUE(world.scenes->lighting.isLUT);
    EXPECT_EQ(world.scenes->lighting.lutName, "lut");
    EXPECT_EQ(states.getNext(), GS_RESTART);
    EXPECT_TRUE(world.scenes->isSceneChangeRequested());
}

} // namespace
