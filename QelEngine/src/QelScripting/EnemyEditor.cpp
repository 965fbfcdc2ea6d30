#include "ECS/Components/Enemy.h"
#include "QelScripting/Bindings.h"
#include "QelScripting/ComponentEditor.h"

#include <algorithm>
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

/// Takes a whole number of hit points, never below 0 (dead); a negative amount would heal, so it
/// is refused.
int damage(lua_State* L, int first, Enemy& enemy) {
    const std::optional<int32_t> amount = LuaArgs::int32At(L, first);
    if (!amount || *amount < 0) return kBadArguments;
    // Widened: a health read from a file may be negative enough to overflow the subtraction.
    enemy.health = static_cast<int32_t>(std::max<int64_t>(int64_t{enemy.health} - *amount, 0));
    return 0;
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
