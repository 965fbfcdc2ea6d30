#include "ECS/Components/Enemy.h"
#include "ECS/System/SystemManager.h"
#include "ECS/System/Systems/EnemySystem.h"
#include "QelCore/LogManager.h"
#include "QelScripting/Bindings.h"
#include "QelScripting/ComponentEditor.h"

#include <cstdint>
#include <memory>

namespace Qel {

namespace {

using namespace Bindings;

/// Stunned for `seconds` from now.
int stun(lua_State* L, int first, Enemy& enemy) {
    const std::optional<float> seconds = LuaArgs::numberAt(L, first);
    if (!seconds) return kBadArguments;
    enemy.stunDuration = *seconds;
    enemy.stunTime = 0.0f;
    enemy.state = EnemyState::Stunned;
    return 0;
}

/// Takes hit points as the enemy system does; a negative amount would heal, so it is refused.
int damage(lua_State* L, int first, Enemy& enemy) {
    const std::optional<float> amount = LuaArgs::numberAt(L, first);
    return amount && damageEnemy(enemy, *amount) ? 0 : kBadArguments;
}

constexpr EditorAction<Enemy> kActions[] = {
    {"stun", stun},
    {"damage", damage},
    {"getHealth", getInt<Enemy, &Enemy::health>},
};

} // namespace

int GOScript_editEnemy(lua_State* L) {
    return editComponent<Enemy>(L, "GOScript_Enemy", kActions);
}

int GOScript_countEnemies(lua_State* L) {
    SystemManager* systems = SystemManager::instance();
    const std::shared_ptr<EnemySystem> enemies = systems ? systems->GetSystem<EnemySystem>() : nullptr;
    // Nothing rather than 0: a level waiting for its enemies to fall must not take "none" for it.
    if (!enemies) {
        log(LOG_CRITICAL, "[LUA] | GOScript_countEnemies no enemy system is loaded");
        return 0;
    }
    lua_pushinteger(L, static_cast<lua_Integer>(enemies->livingEnemies()));
    return 1;
}

} // namespace Qel
