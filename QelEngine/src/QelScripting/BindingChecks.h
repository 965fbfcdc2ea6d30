#pragma once

// What every binding checks before it touches the engine: the argument count of its fixed form,
// then the argument types, then that the target entity lives and has the component it edits.
// Each failed check logs one "[LUA] | " line at CRITICAL; the caller then returns neutral values.
#include "ECS/ComponentManager.h"
#include "ECS/Entity.h"

#include "QelScripting/LuaArgs.h"

#include <glm/vec2.hpp>
#include <glm/vec3.hpp>
#include <glm/vec4.hpp>

#include <lua.hpp>

#include <optional>

namespace Qel::Bindings {

/// The fixed argument list of a binding.
struct Form {
    /// Native name, as the log shows it ("GOScript_setMass").
    const char* name;
    /// Arguments taken: exactly this many, or at least this many when atLeast.
    int count;
    bool atLeast;
    /// Shown when the types are wrong: "(entityID, mass) : (integer, number)".
    const char* types;
};

/// Whether the call's argument count fits; logs "<name> expects N arguments, got M" otherwise.
bool countFits(lua_State* L, const Form& form);
void logBadTypes(const Form& form);
/// countFits, then an integer id at index 1 (logBadTypes otherwise).
bool idFits(lua_State* L, const Form& form);

/// The N numbers at index, index + 1, ...; nullopt when any is absent or not a finite float.
template <int N> std::optional<glm::vec<N, float>> numbersAt(lua_State* L, int index) {
    glm::vec<N, float> numbers;
    for (int i = 0; i < N; ++i) {
        const std::optional<float> number = LuaArgs::numberAt(L, index + i);
        if (!number) return std::nullopt;
        numbers[i] = *number;
    }
    return numbers;
}

/// idFits with the N numbers after the id, which are returned (logBadTypes when one is wrong).
template <int N> std::optional<glm::vec<N, float>> idAndNumbers(lua_State* L, const Form& form) {
    if (!countFits(L, form)) return std::nullopt;
    const std::optional<glm::vec<N, float>> numbers = numbersAt<N>(L, 2);
    if (!LuaArgs::integerAt(L, 1) || !numbers) {
        logBadTypes(form);
        return std::nullopt;
    }
    return numbers;
}

/// The living entity whose id is at index; otherwise logs "[LUA] | <who> could not get target entity
/// ID". `who` names the binding ("GOScript_setMass"); the component editors pass "" and log the
/// line without a name.
std::optional<Entity> targetAt(lua_State* L, int index, const char* who);
void logMissingComponent(const char* who);

/// The entity's T, or null after "<who> target does not have the requested component". The
/// reference into the component array holds until an entity is created or destroyed.
template <class T> T* componentOf(Entity entity, const char* who) {
    ComponentManager* components = ComponentManager::instance();
    if (components && components->HasComponent<T>(entity)) return &components->GetComponent<T>(entity);
    logMissingComponent(who);
    return nullptr;
}

/// targetAt, then componentOf.
template <class T> T* targetComponent(lua_State* L, int index, const char* who) {
    const std::optional<Entity> entity = targetAt(L, index, who);
    return entity ? componentOf<T>(*entity, who) : nullptr;
}

} // namespace Qel::Bindings
