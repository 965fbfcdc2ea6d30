#include "ECS/Components/Animator.h"
#include "ECS/EntityManager.h"
#include "ECS/System/SystemManager.h"
#include "ECS/System/Systems/AnimationSystem.h"
#include "QelCore/GameStateManager.h"
#include "QelSceneManager/QelSceneManager.h"
#include "QelScripting/BindingChecks.h"
#include "QelScripting/Bindings.h"

namespace Qel {

namespace {

using namespace Bindings;

constexpr Form kEnableEntity{"GOScript_enableEntity", 1, true, "(entityID) : (integer)"};
constexpr Form kDisableEntity{"GOScript_disableEntity", 1, true, "(entityID) : (integer)"};
constexpr Form kSetAnimBool{"GOScript_setAnimBool", 3, true,
                            "(entityID, condition name, condition) : (integer, string, bool)"};

int setDisabled(lua_State* L, const Form& form, bool disabled) {
    if (!idFits(L, form)) return 0;
    const std::optional<Entity> entity = targetAt(L, 1, form.name);
    if (!entity) return 0;
    EntityInfo* info = EntityManager::instance()->GetInfo(*entity);
    if (disabled) {
        info->flags |= EntityInfo::kDisabled;
    } else {
        info->flags &= ~EntityInfo::kDisabled;
    }
    return 0;
}

} // namespace

int GOScript_enableEntity(lua_State* L) {
    return setDisabled(L, kEnableEntity, false);
}

int GOScript_disableEntity(lua_State* L) {
    return setDisabled(L, kDisableEntity, true);
}

int GOScript_changeScene(lua_State* L) {
    const std::optional<std::string_view> path = LuaArgs::stringAt(L, 1);
    bool accepted = false;
    if (!path) {
        log(LOG_CRITICAL, "[LUA] | GOScript_changeScene only takes in a string");
    } else if (path->find('\0') != std::string_view::npos) {
        // The file system would stop reading at the zero and open another file than the one named.
        log(LOG_CRITICAL, "[LUA] | GOScript_changeScene scene path holds a zero byte");
    } else if (SceneManager* scenes = SceneManager::instance(); scenes && GameStateManager::instance()) {
        accepted = scenes->setNextScene(std::filesystem::path(*path));
        if (accepted) setNextGameState(GS_RESTART);
    }
    lua_pushboolean(L, accepted);
    return 1;
}

int GOScript_restartScene(lua_State*) {
    setNextGameState(GS_RESTART);
    return 0;
}

int GOScript_isSceneRestart(lua_State* L) {
    SceneManager* scenes = SceneManager::instance();
    lua_pushboolean(L, scenes && scenes->isRestart());
    return 1;
}

int GOScript_setAnimBool(lua_State* L) {
    if (!countFits(L, kSetAnimBool)) return 0;
    const std::optional<std::string_view> name = LuaArgs::stringAt(L, 2);
    if (!LuaArgs::integerAt(L, 1) || !name) {
        logBadTypes(kSetAnimBool);
        return 0;
    }
    const std::optional<Entity> entity = targetAt(L, 1, kSetAnimBool.name);
    if (!entity || !componentOf<Animator>(*entity, kSetAnimBool.name)) return 0;
    SystemManager* systems = SystemManager::instance();
    const std::shared_ptr<AnimationSystem> animation =
        systems ? systems->GetSystem<AnimationSystem>() : nullptr;
    if (animation) {
        animation->setAnimBool(*entity, *name, LuaArgs::truthAt(L, 3));
    } else {
        log(LOG_CRITICAL, "[LUA] | GOScript_setAnimBool no animation system is loaded");
    }
    return 0;
}

} // namespace Qel
