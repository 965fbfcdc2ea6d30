#pragma once

// The native functions behind the script globals (registerScriptBindings sets them). Each reads
// its arguments from the Lua stack and returns the number of results it pushed.
#include <lua.hpp>

namespace Qel {

// Input: the optional argument is a key or mouse-button code; none asks about any key.
int GOScript_keyTriggered(lua_State* L);
int GOScript_keyPressed(lua_State* L);
int GOScript_keyReleased(lua_State* L);

// Entities and scenes.
int GOScript_enableEntity(lua_State* L);
int GOScript_disableEntity(lua_State* L);
int GOScript_changeScene(lua_State* L);
int GOScript_restartScene(lua_State* L);
/// Whether this scene is the previous one started again (restartScene), not a change of scene.
int GOScript_isSceneRestart(lua_State* L);
int GOScript_setAnimBool(lua_State* L);

// Bodies and positions.
int GOScript_setMass(lua_State* L);
int GOScript_addForce(lua_State* L);
int GOScript_addForceTowards(lua_State* L);
int GOScript_getPosition(lua_State* L);
int GOScript_setPosition(lua_State* L);
int GOScript_getVelocity(lua_State* L);
int GOScript_setVelocity(lua_State* L);
int GOScript_setVelocityTowards(lua_State* L);
int GOScript_updatePhysicsBody(lua_State* L);

// Component editors: (entity id, action, ...), editGraphics (action, ...).
int GOScript_editSpriteRenderer(lua_State* L);
int GOScript_editUITransform(lua_State* L);
int GOScript_editText(lua_State* L);
int GOScript_editEnemy(lua_State* L);
/// The scene's enemies with health left; nothing without an enemy system.
int GOScript_countEnemies(lua_State* L);
int GOScript_editRigidBody(lua_State* L);
int GOScript_editGraphics(lua_State* L);

} // namespace Qel
