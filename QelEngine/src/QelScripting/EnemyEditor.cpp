#include "ECS/Components/Enemy.h"
#include "ECS/System/Systems/EnemySystem.h"
#include "QelScripting/Bindings.h"
#include "QelScripting/ComponentEditor.h"

#include <cstdint>

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

} // namespace Qel
