#include "QelScripting/ScriptBindings.h"

#include "QelScripting/Bindings.h"

namespace Qel {

namespace {

struct Binding {
    const char* name;
    lua_CFunction function;
};

// The order in which scripts' globals are set (the two triggers come from the script system).
constexpr Binding kBindings[] = {
    {"keyTriggered", GOScript_keyTriggered},
    {"keyPressed", GOScript_keyPressed},
    {"keyReleased", GOScript_keyReleased},
    {"enableEntity", GOScript_enableEntity},
    {"disableEntity", GOScript_disableEntity},
    {"changeScene", GOScript_changeScene},
    {"restartScene", GOScript_restartScene},
    {"isSceneRestart", GOScript_isSceneRestart},
    {"setMass", GOScript_setMass},
    {"addForce", GOScript_addForce},
    {"addForceTowards", GOScript_addForceTowards},
    {"getPosition", GOScript_getPosition},
    {"setPosition", GOScript_setPosition},
    {"getVelocity", GOScript_getVelocity},
    {"setVelocity", GOScript_setVelocity},
    {"setVelocityTowards", GOScript_setVelocityTowards},
    {"updatePhysicsBody", GOScript_updatePhysicsBody},
    {"setAnimBool", GOScript_setAnimBool},
    {"editSpriteRenderer", GOScript_editSpriteRenderer},
    {"editUITransform", GOScript_editUITransform},
    {"editText", GOScript_editText},
    {"editEnemy", GOScript_editEnemy},
    {"countEnemies", GOScript_countEnemies},
    {"editRigidBody", GOScript_editRigidBody},
    {"editGraphics", GOScript_editGraphics},
};

} // namespace

void registerScriptBindings(lua_State* L) {
    // Raw writes: a script may have given its globals table a metatable.
    lua_rawgeti(L, LUA_REGISTRYINDEX, LUA_RIDX_GLOBALS);
    for (const Binding& binding : kBindings) {
        lua_pushstring(L, binding.name);
        lua_pushcfunction(L, binding.function);
        lua_rawset(L, -3);
    }
    lua_pop(L, 1);
}

} // namespace Qel
