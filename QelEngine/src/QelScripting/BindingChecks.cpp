#include "QelScripting/BindingChecks.h"

#include "QelCore/LogManager.h"

namespace Qel::Bindings {

namespace {

const char* separator(const char* who) {
    return *who ? " " : "";
}

} // namespace

bool countFits(lua_State* L, const Form& form) {
    const int count = lua_gettop(L);
    if (count == form.count || (form.atLeast && count > form.count)) return true;
    logf(LOG_CRITICAL, "[LUA] | %s expects %d arguments, got %d", form.name, form.count, count);
    return false;
}

void logBadTypes(const Form& form) {
    logf(LOG_CRITICAL, "[LUA] | %s invalid argument types, expects %s", form.name, form.types);
}

bool idFits(lua_State* L, const Form& form) {
    if (!countFits(L, form)) return false;
    if (LuaArgs::integerAt(L, 1)) return true;
    logBadTypes(form);
    return false;
}

std::optional<Entity> targetAt(lua_State* L, int index, const char* who) {
    const std::optional<Entity> entity = LuaArgs::entityAt(L, index);
    if (!entity) logf(LOG_CRITICAL, "[LUA] | %s%scould not get target entity ID", who, separator(who));
    return entity;
}

void logMissingComponent(const char* who) {
    logf(LOG_CRITICAL, "[LUA] | %s%starget does not have the requested component", who, separator(who));
}

} // namespace Qel::Bindings
