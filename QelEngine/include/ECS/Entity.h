#pragma once

#include "ECS/Signature.h"

#include <cstdint>
#include <utility>

namespace Qel {

/// An entity is a bare id; everything known about it lives in the managers.
using Entity = uint64_t;

/// Number of scene entity ids (0..2999). The value itself means "no entity" in any field that
/// holds an entity id.
constexpr Entity MAX_ENTITIES = 3000;

/// What instantiation hands out: the entity and whether it is valid.
using EntityHandle = std::pair<Entity, bool>;

} // namespace Qel
